#include "entry/FieldModel.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace morvalen {

const std::vector<std::string>& FieldModel::singleFieldNames() {
    static const std::vector<std::string> names = {"Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",
                                                   "Text8",  "Text9",  "Text10", "Text11", "Text15", "Text16",
                                                   "Text17", "Text18", "Text19", "Text20"};
    return names;
}

const std::map<std::string, int>& FieldModel::fieldArrays() {
    static const std::map<std::string, int> arrays = {{"Text7", 8}, {"Text12", 5}, {"Text13", 5}, {"Text14", 5}};
    return arrays;
}

FieldModel::FieldModel() {
    for (int number = 1; number <= 20; ++number) texts_[number].resize(1);
    for (const auto& [name, size] : fieldArrays()) texts_[std::stoi(name.substr(4))].resize(static_cast<std::size_t>(size));
    label18Captions_.resize(5);
    renew();
}

void FieldModel::renew() {
    for (auto& field : texts_) {
        for (auto& text : field) text.clear();
    }
    static const char* const captions[] = {"Y(0)", "Y(1)", "Y(2)", "Y(3)", "Y(4)"};
    for (std::size_t r = 0; r < label18Captions_.size(); ++r) {
        if (label18Captions_[r] != captions[r]) label18Captions_[r] = captions[r];
    }
}

int FieldModel::fieldNumber(std::string_view name) {
    const auto digit = [&](std::size_t i) { return static_cast<unsigned>(name[i]) - unsigned{'0'}; };
    int number = 0;
    if ((name.size() == 5 || name.size() == 6) && name.starts_with("Text") && digit(4) <= 9) {
        number = static_cast<int>(digit(4));
        if (name.size() == 6) number = digit(5) <= 9 ? number * 10 + static_cast<int>(digit(5)) : 0;
    }
    return number <= 20 ? number : 0;
}

namespace {

struct FieldPlace {
    int number;         // n of Textn
    std::size_t entry;  // the index in an array, 0 for a single field
};

[[noreturn, gnu::cold, gnu::noinline]] void noSuchField(std::string_view name, const char* problem) {
    throw std::out_of_range(problem + std::string(name));
}

// Where a field's text is kept; throws std::out_of_range for a control the window does not have.
FieldPlace placeOf(Control field) {
    const std::string_view name = field.name;
    const int number = FieldModel::fieldNumber(name);
    if (number == 0) noSuchField(name, "the window has no field ");
    const bool isArray = number == 7 || number == 12 || number == 13 || number == 14;
    if (isArray != (field.index >= 0)) noSuchField(name, "field index does not fit ");
    return {number, isArray ? static_cast<std::size_t>(field.index) : 0};
}

}  // namespace

void FieldModel::setText(Control field, const std::string& text) {
    const FieldPlace place = placeOf(field);
    texts_[place.number].at(place.entry) = text;
}

const std::string& FieldModel::text(Control field) const {
    const FieldPlace place = placeOf(field);
    return texts_[place.number].at(place.entry);
}

void FieldModel::setCaption(Control label, const std::string& caption) {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    label18Captions_.at(static_cast<std::size_t>(label.index)) = caption;
}

const std::string& FieldModel::caption(Control label) const {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    return label18Captions_.at(static_cast<std::size_t>(label.index));
}

}  // namespace morvalen
