// The window's fields as a model that also remembers every write in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "entry/FieldModel.h"

namespace morvalen::testing {

class RecordingFields : public FieldModel {
public:
    void setText(const Control& field, const std::string& text) override {
        FieldModel::setText(field, text);
        writes.emplace_back(name(field), text);
    }
    void setCaption(const Control& label, const std::string& caption) override {
        FieldModel::setCaption(label, caption);
        writes.emplace_back(name(label) + ".caption", caption);
    }

    static std::string name(const Control& control) {
        std::string text(control.name);
        if (control.index >= 0) text += "(" + std::to_string(control.index) + ")";
        return text;
    }

    std::vector<std::pair<std::string, std::string>> writes;
};

}  // namespace morvalen::testing
