#pragma once

namespace ui {

class TextField;

// What a text field tells as the user edits it.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual void textFieldDidBeginEditing(TextField*) {}
    virtual void textFieldDidChange(TextField*) {}
    // The return key; the answer says whether the field does its default.
    virtual bool textFieldShouldReturn(TextField*) { return true; }
};

} // namespace ui
