// The text fields and the one changing caption of the main window, as a model without a window: used by the
// terminal front end, the batch run and the tests.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "entry/FrontEnd.h"

namespace morvalen {

class FieldModel : public WindowFields {
public:
    FieldModel();

    void setText(const Control& field, const std::string& text) override;
    void setCaption(const Control& label, const std::string& caption) override;

    // The text of a field; throws std::out_of_range for a control the window does not have.
    const std::string& text(const Control& field) const;
    const std::string& caption(const Control& label) const;

    // n of a field named Textn, 1..20; 0 for a name that is no field of the window.
    static int fieldNumber(std::string_view name) { return textFieldNumber(name); }

    // Names of the single fields Text1..Text20 other than the arrays, and the arrays with their sizes.
    static const std::vector<std::string>& singleFieldNames();
    static const std::map<std::string, int>& fieldArrays();

    // The texts of the fields one after another, Text1 to Text20, each array with all its entries.
    static constexpr std::size_t textCount = 16 + 8 + 3 * 5;

private:
    std::string texts_[textCount];
    std::vector<std::string> label18Captions_;
};

}  // namespace morvalen
