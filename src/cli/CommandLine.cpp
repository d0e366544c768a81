#include "cli/CommandLine.h"

#include <algorithm>

#include "files/AtomicFile.h"
#include "i18n/Language.h"

namespace morvalen::cli {
namespace {

using i18n::translate;
using i18n::withArguments;

// The names of options in an English message of CLI11, which quotes them as they were typed.
std::vector<std::string> optionNames(const std::string& message) {
    std::vector<std::string> names;
    for (std::size_t at = message.find('-'); at != std::string::npos; at = message.find('-', at)) {
        const std::size_t end = message.find_first_of(" :,", at);
        const std::string name = message.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (name.size() > 1 && (at == 0 || message[at - 1] == ' ')) names.push_back(name);
        at = end;
    }
    return names;
}

// CLI11 names some errors after the program rather than their kind: the kind is the type.
template <class Kind>
bool isKind(const CLI::Error& error) {
    return dynamic_cast<const Kind*>(&error) != nullptr;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : " ") + item;
    return text;
}

std::string usageMessage(const CLI::App* app, const CLI::Error& error) {
    const std::string what = error.what();
    const std::vector<std::string> options = optionNames(what);
    const std::string first = options.empty() ? std::string() : options.front();
    std::string message;
    if (isKind<CLI::ExtrasError>(error)) {
        // "The following argument(s) was/were not expected: a b"
        const std::size_t listed = what.find(": ");
        message = withArguments(translate("不认识的参数：%1"),
                                {listed == std::string::npos ? joined(app->remaining()) : what.substr(listed + 2)});
    } else if (isKind<CLI::RequiresError>(error) && options.size() >= 2) {
        message = withArguments(translate("选项 %1 需要同时给出 %2"), {options[0], options[1]});
    } else if (isKind<CLI::ExcludesError>(error) && options.size() >= 2) {
        message = withArguments(translate("选项 %1 不能与 %2 同时使用"), {options[0], options[1]});
    } else if (isKind<CLI::ArgumentMismatch>(error)) {
        message = withArguments(translate("选项 %1 的值不对：缺少值，或给了多个值"), {first});
    } else if (isKind<CLI::RequiredError>(error)) {
        message = first.empty() ? std::string(translate("缺少必需的参数：观测文件"))
                                : withArguments(translate("缺少必需的参数：%1"), {first});
    } else if (isKind<CLI::ValidationError>(error) || isKind<CLI::ConversionError>(error)) {
        message = withArguments(translate("选项的值不对：%1"), {what});
    } else {
        message = withArguments(translate("命令行有误（%1）"), {what});
    }
    const CLI::App* program = app;
    while (program->get_parent() != nullptr) program = program->get_parent();
    return message + "\n" + withArguments(translate("运行 %1 --help 查看用法。"), {program->get_name()}) + "\n";
}

}  // namespace

const char* optionsGroup() { return translate("选项"); }
const char* subcommandsGroup() { return translate("子命令"); }

CLI::App* addSubcommand(CLI::App& app, const char* name, const char* description) {
    CLI::App* command = app.add_subcommand(name, description);
    command->group(subcommandsGroup());
    command->get_help_ptr()->group(optionsGroup());
    return command;
}

void useChineseCommandLine(CLI::App& app, const std::string& version) {
    const auto formatter = app.get_formatter();
    for (const auto& [key, label] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Usage", i18n::catalogued("用法")}, {"OPTIONS", i18n::catalogued("选项")}, {"SUBCOMMAND", i18n::catalogued("子命令")}, {"SUBCOMMANDS", i18n::catalogued("子命令")},
             {"Positionals", i18n::catalogued("位置参数")}, {"REQUIRED", i18n::catalogued("必需")}, {"Needs", i18n::catalogued("需要")}, {"Excludes", i18n::catalogued("不能与之同用")},
             {"Env", i18n::catalogued("环境变量")}, {"TEXT", i18n::catalogued("文本")}, {"FLOAT", i18n::catalogued("数")}, {"INT", i18n::catalogued("整数")}}) {
        formatter->label(key, translate(label));
    }
    app.option_defaults()->group(optionsGroup());
    app.set_help_flag("-h,--help", translate("显示本帮助并退出"))->group(optionsGroup());
    app.set_version_flag("--version", app.get_name() + " " + version, translate("显示版本并退出"))->group(optionsGroup());
    app.failure_message(usageMessage);
    addLanguageOption(app);
}

void addLanguageOption(CLI::App& command) {
    // Read before parsing by useChosenLanguage; declared so that it is accepted and shown in the help.
    static std::string languageValue;
    command.add_option("--lang", languageValue, translate("界面语言：zh 中文，en 英文（缺省按系统的区域设置 LANG）"))
        ->check(CLI::IsMember({"zh", "en"}))
        ->type_name("zh|en")
        ->group(optionsGroup());
}

std::string useChosenLanguage(int argc, const char* const argv[]) {
    const std::optional<std::string> argument = i18n::languageArgument(argc, argv);
    const std::optional<i18n::Language> named = argument ? i18n::languageNamed(*argument) : std::nullopt;
    const bool asked = named == i18n::Language::english;
    if (asked && !i18n::englishAvailable()) return "不能使用 --lang en：本程序编译时没有英文界面（没有 GNU gettext），只有中文。";
    const i18n::Language language = argument ? named.value_or(i18n::Language::chinese) : i18n::languageOfEnvironment();
    if (!i18n::englishAvailable()) return {};
    i18n::useLanguage(language, argc > 0 ? argv[0] : "");
    // The catalogue of the installation holds every text; one that comes back untranslated means there is none.
    const char* probe = "选项";
    if (language == i18n::Language::english && i18n::translate(probe) == std::string_view(probe)) {
        i18n::useLanguage(i18n::Language::chinese, argc > 0 ? argv[0] : "");
        if (asked) return "不能使用 --lang en：找不到英文的消息目录（share/locale/en/LC_MESSAGES/morvalen.mo），只有中文。";
    }
    return {};
}

const CLI::Validator& fileName() {
    static const CLI::Validator validator(
        [](std::string& name) { return name.empty() ? std::string(translate("文件名是空的")) : std::string(); }, std::string());
    return validator;
}

std::string refusedOutput(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs) {
    std::vector<std::filesystem::path> inputPaths;
    for (const std::string& input : inputs) {
        if (!input.empty()) inputPaths.push_back(files::pathOf(input));
    }
    std::vector<std::filesystem::path> seen;
    for (const std::string& output : outputs) {
        if (output.empty()) continue;
        const std::filesystem::path path = files::pathOf(output);
        try {
            files::checkOutputPath(path, inputPaths);
        } catch (const files::FileNotWritten& refused) {
            return refused.what();
        }
        if (files::isWrittenInPlace(path)) continue;  // a device or a pipe takes any number of outputs
        std::error_code ignored;
        const auto written = std::filesystem::absolute(files::writtenPath(path), ignored);
        const auto same = std::filesystem::weakly_canonical(written, ignored);
        if (std::find(seen.begin(), seen.end(), same) != seen.end()) {
            return withArguments(translate("无法写出文件 %1：同一个文件不能作两种输出"), {output});
        }
        seen.push_back(same);
    }
    return {};
}

}  // namespace morvalen::cli
