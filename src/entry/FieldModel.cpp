#include "entry/FieldModel.h"

#include <stdexcept>

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
    for (const auto& name : singleFieldNames()) texts_[name] = {std::string()};
    for (const auto& [name, size] : fieldArrays()) texts_[name] = std::vector<std::string>(static_cast<std::size_t>(size));
    for (int r = 0; r <= 4; ++r) label18Captions_.push_back("Y(" + std::to_string(r) + ")");
}

std::string& FieldModel::slot(Control field) {
    auto& entries = texts_.at(std::string(field.name));
    const bool isArray = fieldArrays().count(std::string(field.name)) > 0;
    if (isArray != (field.index >= 0)) throw std::out_of_range("field index does not fit " + std::string(field.name));
    return entries.at(isArray ? static_cast<std::size_t>(field.index) : 0);
}

void FieldModel::setText(Control field, const std::string& text) { slot(field) = text; }

const std::string& FieldModel::text(Control field) const { return const_cast<FieldModel*>(this)->slot(field); }

void FieldModel::setCaption(Control label, const std::string& caption) {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    label18Captions_.at(static_cast<std::size_t>(label.index)) = caption;
}

const std::string& FieldModel::caption(Control label) const {
    if (label.name != "Label18") throw std::out_of_range("only Label18 changes its caption");
    return label18Captions_.at(static_cast<std::size_t>(label.index));
}

}  // namespace morvalen
