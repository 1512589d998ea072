// FieldBindings: the data exchange between a dialog's controls and its members, with the range
// checks of numeric fields.
#pragma once

#include <QValidator>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace platform {
class UserPrompt;
}

// How a text is stored: settings texts are CP932 bytes; paths are native (UTF-8) bytes.
enum class TextEncoding { Cp932, Native };

// Limits an edit to texts whose stored form has at most maxBytes bytes and, for CP932, holds
// only characters CP932 can store, so that nothing typed is cut or changed when the settings
// file is read back.
class StoredTextValidator : public QValidator {
public:
    StoredTextValidator(size_t maxBytes, TextEncoding encoding, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    size_t maxBytes_;
    TextEncoding encoding_;
};

// Limits edit to maxBytes stored bytes (validator and maximum length).
void LimitStoredText(QLineEdit* edit, size_t maxBytes, TextEncoding encoding = TextEncoding::Cp932);

// Each Bind call ties one control to one member. Show puts every member into its control; Take
// takes them back in binding order, as the dialogs' data exchange did. Numbers are C notation;
// reals are shown in their shortest form (1840, not 1840.000). Texts are the settings files'
// CP932 bytes, converted only at the control; an untouched text gives back its bytes unchanged.
class FieldBindings {
public:
    // Inclusive ranges.
    void Int(QLineEdit* edit, int* value, int min, int max);
    void Unsigned(QLineEdit* edit, unsigned* value, unsigned min, unsigned max);
    // A real is taken so that its three-decimal stored form stays inside the range.
    void Real(QLineEdit* edit, double* value, double min, double max);
    // A text of at most maxBytes stored bytes (the edit is limited to it).
    void Text(QLineEdit* edit, std::string* stored, size_t maxBytes,
              TextEncoding encoding = TextEncoding::Cp932);
    // The index of the checked button (the group's ids 0 to n-1), -1 when none is.
    void Radio(QButtonGroup* group, int* value);
    // The index of the selected entry, -1 when none is.
    void Combo(QComboBox* box, int* value);
    // A spin box keeps its value inside its own range.
    void Spin(QSpinBox* box, int* value);
    // 1 checked, 0 clear; 2 shows partly checked and stays 2 until the user clicks; any other
    // value shows clear (and is taken back as 0).
    void Check(QCheckBox* box, int* value);

    void Show() const;
    // Takes the controls into the members in binding order. The first field whose text does not
    // read as its type or lies outside its range stops the walk (it and the fields after it keep
    // their members): with a prompt its message is shown and the field gets the focus with its
    // text selected. True when every field was taken.
    bool Take(platform::UserPrompt* report);
    bool Empty() const { return fields_.empty(); }

private:
    struct Field {
        QWidget* control = nullptr;
        std::function<void()> show;
        // The message when the control's value cannot be taken.
        std::function<std::optional<std::string>()> take;
    };
    std::vector<Field> fields_;
};
