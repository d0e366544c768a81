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

namespace {

// Per field number: where its texts start among all texts, and how many it has (1 for a single field).
struct FieldSlots {
    std::size_t first[21]{};
    std::size_t count[21]{};
};

constexpr FieldSlots fieldSlots = [] {
    FieldSlots slots;
    std::size_t next = 0;
    for (int number = 1; number <= 20; ++number) {
        const std::size_t count = number == 7 ? 8 : number == 12 || number == 13 || number == 14 ? 5 : 1;
        slots.first[number] = next;
        slots.count[number] = count;
        next += count;
    }
    return slots;
}();
static_assert(fieldSlots.first[20] + 1 == FieldModel::textCount);

[[noreturn]] void noSuchField(std::string_view name, const char* problem) {
    throw std::out_of_range(problem + std::string(name));
}

// Which of the texts is the field's; throws std::out_of_range for a control the window does not have.
std::size_t slotOf(const Control& field) {
    const int number = field.fieldNumber;
    if (number == 0) noSuchField(field.name, "the window has no field ");
    const std::size_t count = fieldSlots.count[number];
    if (count == 1) {
        if (field.index >= 0) noSuchField(field.name, "field index does not fit ");
        return fieldSlots.first[number];
    }
    if (field.index < 0 || static_cast<std::size_t>(field.index) >= count) {
        noSuchField(field.name, "field index does not fit ");
    }
    return fieldSlots.first[number] + static_cast<std::size_t>(field.index);
}

}  // namespace

FieldModel::FieldModel() : label18Captions_{"Y(0)", "Y(1)", "Y(2)", "Y(3)", "Y(4)"} {}

void FieldModel::setText(const Control& field, const std::string& text) { texts_[slotOf(field)] = text; }

const std::string& FieldModel::text(const Control& field) const { return texts_[slotOf(field)]; }

void FieldModel::setCaption(const Control& label, const std::string& caption) {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    label18Captions_.at(static_cast<std::size_t>(label.index)) = caption;
}

const std::string& FieldModel::caption(const Control& label) const {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    return label18Captions_.at(static_cast<std::size_t>(label.index));
}

}  // namespace morvalen
