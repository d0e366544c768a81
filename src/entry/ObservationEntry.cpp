#include "entry/ObservationEntry.h"

#include <optional>

#include "entry/ConfirmedPrompt.h"
#include "entry/EnteredState.h"
#include "i18n/Language.h"

namespace morvalen {
namespace {

using i18n::translate;
using i18n::withArguments;

// Every prompt text of the sequence, formed once.
struct EntryTexts {
    PromptTexts xa, ya, xb, yb, startSideLength, startSideNumber, Ta, Qa, nameA, nameClosing;
    PromptTexts unknownStation[4];  // 1..3
    PromptTexts angle[9];           // 1..8
};

PromptTexts texts(std::string entry, const std::string& question, std::string reentry) {
    const std::string confirmation = withArguments(translate("%1  输入正确单击 Enter ; 错误输入零( 即为:0 )"), {question});
    return {std::move(entry), confirmation, std::move(reentry), confirmation};
}

// The texts in the language in force, made once for each language: a front end may change its language between
// two runs (the page does).
const EntryTexts& entryTexts() {
    static std::optional<EntryTexts> chinese;
    static std::optional<EntryTexts> english;
    std::optional<EntryTexts>& all = i18n::currentLanguage() == i18n::Language::english ? english : chinese;
    if (!all) all = [] {
        EntryTexts t;
        t.xa = texts(translate("输入起始点 A 的纵座标 : "), translate("确认纵座标输入是否正确 ?"), translate("输入正确的纵座标 : "));
        t.ya = texts(translate("输入起始点 A 的横座标 : "), translate("确认横座标输入是否正确 ?"), translate("输入正确的横座标 : "));
        t.xb = texts(translate("输入起始点 B 的纵座标 : "), translate("确认纵座标输入是否正确 ?"), translate("输入正确的纵座标 Xb: "));
        t.yb = texts(translate("输入起始点 B 的横座标 : "), translate("确认横座标输入是否正确 ?"), translate("输入正确的横纵座标 : "));
        t.startSideLength =
            texts(translate("输入起算边长度 :（以米为单位）"), translate("确认起算边长度输入是否正确 ?"), translate("输入起算边长度 S 正确的观测值: "));
        t.startSideNumber = texts(translate("输入起算边在示图上所示的编号 ：（1，2，3，4）"), translate("确认起算边的编号输入是否正确 ?"), "");
        t.Ta = texts(translate("输入起始点 A 的外方位角 Ta : ( 方向由 A 点向外 )"), translate("确认外方位角 Ta 输入是否正确 ?"),
                     translate("输入起始点 A 点的外方位角 Ta 正确的观测值: "));
        t.Qa = texts(translate("输入起始点 A 点的定向角 Qa : "), translate("确认定向角 Qa 输入是否正确 ?"), translate("输入定向角 Qa 正确的观测值 :"));
        t.Qa.reconfirmationPrompt = translate("确认定向角 Qa 输入是否正确 ? 输入正确单击 Enter ; 错误输入零( 即为:0 )");
        t.nameA = texts(translate("输入起始点 A 点的点名 :"), translate("确认 A 点的点名输入是否正确 ?"),
                        translate("输入起始点 A 的正确点名 :"));
        t.nameClosing = texts(translate("输入闭合点 B 点的点名 :"), translate("确认 B 点的点名输入是否正确 ?"),
                              translate("输入闭合点 B 正确的点名 :"));
        for (int i = 1; i <= 3; ++i) {
            const std::string n = std::to_string(i);
            const std::string entry = withArguments(translate("按顺时针顺序输入第 %1 个待定点的点名 :"), {n});
            t.unknownStation[i] =
                texts(entry, withArguments(translate("确认第 %1 个待定点的点名输入是否正确 ?"), {n}), entry);
        }
        for (int i = 1; i <= 8; ++i) {
            const std::string n = std::to_string(i);
            t.angle[i] = texts(withArguments(translate("请输入第 %1 个观测角 B%1 的数值 : "), {n}),
                               withArguments(translate("确认 B(%1) 输入是否正确?"), {n}),
                               withArguments(translate("输入 B(%1) 正确的观测值: "), {n}));
        }
        return t;
    }();
    return *all;
}

// Keeps the reading of a number for the computation.
void keep(ReadValues* read, EnteredValue value, EntryValue reading) {
    if (read) (*read)[value] = std::move(reading);
}

void askStartDataOfAzimuthCase(Observations& typed, ReadValues* read, Prompt& asker, WindowFields& fields) {
    const EntryTexts& t = entryTexts();
    keep(read, EnteredValue::startSideLength,
         askConfirmed({t.startSideLength, &typed.startSideLength, form::startSideLength, Pattern::threeDecimals,
                       EnteredValue::startSideLength},
                      asker, fields));
    askConfirmedRepeat(t.startSideNumber.entryPrompt, t.startSideNumber.confirmationPrompt, typed.startSideNumber,
                       asker);
    keep(read, EnteredValue::Ta,
         askConfirmed({t.Ta, &typed.Ta, form::externalAzimuth, Pattern::fiveDecimals, EnteredValue::Ta}, asker, fields));
    keep(read, EnteredValue::Qa,
         askConfirmed({t.Qa, &typed.Qa, form::orientationAngle, Pattern::fiveDecimals, EnteredValue::Qa}, asker,
                      fields));
}

void askStationNames(Observations& typed, int unknownStations, Prompt& asker, WindowFields& fields) {
    const EntryTexts& t = entryTexts();
    askConfirmed({t.nameA, &typed.names[0], form::stationName(0), Pattern::none, EnteredValue::nameA}, asker, fields);
    for (int i = 1; i <= unknownStations; ++i) {
        askConfirmed({t.unknownStation[i], &typed.names[static_cast<std::size_t>(i)], form::stationName(i),
                      Pattern::none, enteredAfter(EnteredValue::nameA, i)},
                     asker, fields);
    }
    askConfirmed({t.nameClosing, &typed.names[4], form::stationName(unknownStations + 1), Pattern::none,
                  EnteredValue::nameClosing},
                 asker, fields);
}

void askAngles(Observations& typed, ReadValues* read, Prompt& asker, WindowFields& fields) {
    const EntryTexts& t = entryTexts();
    for (int i = 1; i <= 8; ++i) {
        const EnteredValue value = enteredAfter(EnteredValue::b1, i - 1);
        std::string& angle = typed.angles[static_cast<std::size_t>(i - 1)];
        EntryValue reading =
            askConfirmed({t.angle[i], &angle, form::observedAngle(i - 1), Pattern::fiveDecimals, value}, asker, fields);
        if (auto stop = entryStop(value, reading)) throw std::move(*stop);
        keep(read, value, std::move(reading));
    }
}

}  // namespace

void showCaseFields(RunCase kind, WindowFields& fields) {
    if (kind == RunCase::knownSide) {
        fields.setText(form::startNote, translate("    以起始边 S(a-b)起算 "));
        const std::string fromStartSide = translate("由起始边起算");
        fields.setText(form::startSideLength, fromStartSide);
        fields.setText(form::externalAzimuth, fromStartSide);
        fields.setText(form::orientationAngle, fromStartSide);
    } else if (kind == RunCase::azimuth) {
        fields.setText(form::startNote, translate(" 由A点的外方位角定向"));
        fields.setText(form::xb, translate("B点为待定点"));
        fields.setText(form::yb, translate("B点为待定点"));
    }
}

void enterObservations(Prompt& asker, WindowFields& fields, Observations& typed, ReadValues* read) {
    typed = Observations{};
    const EntryTexts& t = entryTexts();
    const EntryValue xa = askConfirmed({t.xa, &typed.xa, form::xa, Pattern::threeDecimals, EnteredValue::xa}, asker, fields);
    const EntryValue ya = askConfirmed({t.ya, &typed.ya, form::ya, Pattern::threeDecimals, EnteredValue::ya}, asker, fields);
    const EntryValue xb = askConfirmed({t.xb, &typed.xb, form::xb, Pattern::threeDecimals, EnteredValue::xb}, asker, fields);
    const EntryValue yb = askConfirmed({t.yb, &typed.yb, form::yb, Pattern::threeDecimals, EnteredValue::yb}, asker, fields);
    const RunCase kind = runCase(xb, yb);
    keep(read, EnteredValue::xa, xa);
    keep(read, EnteredValue::ya, ya);
    keep(read, EnteredValue::xb, xb);
    keep(read, EnteredValue::yb, yb);

    showCaseFields(kind, fields);
    if (kind == RunCase::azimuth) askStartDataOfAzimuthCase(typed, read, asker, fields);
    askStationNames(typed, kind == RunCase::azimuth ? 3 : 2, asker, fields);
    askAngles(typed, read, asker, fields);
}

}  // namespace morvalen
