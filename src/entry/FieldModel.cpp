#include "entry/FieldModel.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace morvalen {

const std::vector<std::string>& FieldModel::singleFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> single;
        for (const auto& [control, size] : form::textFields) {
            if (size == 1) single.emplace_back(control.name);
        }
        return single;
    }();
    return names;
}

const std::map<std::string, int>& FieldModel::fieldArrays() {
    static const std::map<std::string, int> arrays = [] {
        std::map<std::string, int> all;
        for (const auto& [control, size] : form::textFields) {
            if (size > 1) all.emplace(control.name, size);
        }
        return all;
    }();
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
    for (const form::FieldDeclaration& field : form::textFields) {
        const int number = field.control.fieldNumber;
        slots.first[number] = next;
        slots.count[number] = static_cast<std::size_t>(field.size);
        next += slots.count[number];
    }
    return slots;
}();
static_assert(fieldSlots.first[20] + 1 == FieldModel::textCount);
static_assert([] {
    for (std::size_t i = 0; i < form::textFields.size(); ++i) {
        if (form::textFields[i].control.fieldNumber != static_cast<int>(i) + 1) return false;
    }
    return true;
}());

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

FieldModel::FieldModel() {
    for (int r = 0; r < form::tableRows; ++r) label18Captions_.push_back(form::initialYCaption(r));
}

void FieldModel::setText(const Control& field, const std::string& text) { texts_[slotOf(field)] = text; }

const std::string& FieldModel::text(const Control& field) const { return texts_[slotOf(field)]; }

void FieldModel::setCaption(const Control& label, const std::string& caption) {
    if (label.name != form::yCaption(0).name) throw std::out_of_range("only the captions Y(r) change");
    label18Captions_.at(static_cast<std::size_t>(label.index)) = caption;
}

const std::string& FieldModel::caption(const Control& label) const {
    if (label.name != form::yCaption(0).name) throw std::out_of_range("only the captions Y(r) change");
    return label18Captions_.at(static_cast<std::size_t>(label.index));
}

}  // namespace morvalen
