// The data exchange of the settings dialogs and its range messages.
#include "settings/FieldBindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <climits>
#include <cmath>

#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "settings/SettingsMessages.h"

namespace {

QString Qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

std::string RangeMessage(unsigned id, const std::string& min, const std::string& max) {
    return FillPlaceholders(platform::LoadString(id), {min, max});
}

}  // namespace

namespace {

// The stored bytes of a shown text; nothing when it cannot be stored.
std::optional<std::string> Stored(const QString& shown, TextEncoding encoding) {
    if (encoding == TextEncoding::Native) return Utf8(shown);
    platform::Cp932Encoding e = platform::Utf8ToCp932(Utf8(shown));
    if (!e.ok()) return std::nullopt;
    return std::move(e.bytes);
}

QString Shown(const std::string& stored, TextEncoding encoding) {
    return Qs(encoding == TextEncoding::Native ? stored : platform::Cp932ToUtf8(stored));
}

}  // namespace

StoredTextValidator::StoredTextValidator(size_t maxBytes, TextEncoding encoding, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes), encoding_(encoding) {}

QValidator::State StoredTextValidator::validate(QString& input, int&) const {
    std::optional<std::string> bytes = Stored(input, encoding_);
    return bytes && bytes->size() <= maxBytes_ ? Acceptable : Invalid;
}

void LimitStoredText(QLineEdit* edit, size_t maxBytes, TextEncoding encoding) {
    // A character takes at least one byte: the length limit is an upper bound, the validator
    // counts the bytes.
    edit->setMaxLength(int(std::min<size_t>(maxBytes, INT_MAX)));
    edit->setValidator(new StoredTextValidator(maxBytes, encoding, edit));
}

void FieldBindings::Int(QLineEdit* edit, int* value, int min, int max) {
    fields_.push_back({edit, [=] { edit->setText(Qs(platform::FormatInt(*value))); },
                       [=]() -> std::optional<std::string> {
                           auto v = platform::ParseInt(Utf8(edit->text()));
                           if (!v || *v < INT_MIN || *v > INT_MAX)
                               return platform::LoadString(kMsgEnterInteger);
                           if (*v < min || *v > max)
                               return RangeMessage(kMsgIntegerRange, platform::FormatInt(min),
                                                   platform::FormatInt(max));
                           *value = int(*v);
                           return std::nullopt;
                       }});
}

void FieldBindings::Unsigned(QLineEdit* edit, unsigned* value, unsigned min, unsigned max) {
    fields_.push_back({edit, [=] { edit->setText(Qs(platform::FormatInt(*value))); },
                       [=]() -> std::optional<std::string> {
                           const std::string text = Utf8(edit->text());
                           auto v = platform::ParseInt(text);
                           if (!v || *v < 0 || *v > UINT_MAX || text.find('-') != std::string::npos)
                               return platform::LoadString(kMsgEnterPositiveInteger);
                           if (*v < min || *v > max)
                               return RangeMessage(kMsgIntegerRange, platform::FormatInt(min),
                                                   platform::FormatInt(max));
                           *value = unsigned(*v);
                           return std::nullopt;
                       }});
}

void FieldBindings::Real(QLineEdit* edit, double* value, double min, double max) {
    fields_.push_back({edit, [=] { edit->setText(Qs(platform::FormatShortReal(*value))); },
                       [=]() -> std::optional<std::string> {
                           auto v = platform::ParseReal(Utf8(edit->text()));
                           if (!v) return platform::LoadString(kMsgEnterNumber);
                           if (!(*v >= min && *v <= max))
                               return RangeMessage(kMsgNumberRange, platform::FormatShortReal(min),
                                                   platform::FormatShortReal(max));
                           *value = *v;
                           // Reals are stored with three decimals: a value stored rounded past a
                           // limit (999999.99999 as 1000000.000) would be refused at the next
                           // opening. It is taken as the nearest three-decimal value inside.
                           const double back = platform::ParseLeadingReal(platform::FormatReal(*v));
                           if (back > max)
                               *value = std::floor(max * 1000.0) / 1000.0;
                           else if (back < min)
                               *value = std::ceil(min * 1000.0) / 1000.0;
                           return std::nullopt;
                       }});
}

void FieldBindings::Text(QLineEdit* edit, std::string* stored, size_t maxBytes,
                         TextEncoding encoding) {
    LimitStoredText(edit, maxBytes, encoding);
    fields_.push_back({edit, [=] { edit->setText(Shown(*stored, encoding)); },
                       [=]() -> std::optional<std::string> {
                           // An untouched text keeps its bytes.
                           if (edit->text() == Shown(*stored, encoding)) return std::nullopt;
                           std::optional<std::string> bytes = Stored(edit->text(), encoding);
                           if (!bytes || bytes->size() > maxBytes)
                               return platform::LoadString(kMsgTextNotStorable);
                           *stored = std::move(*bytes);
                           return std::nullopt;
                       }});
}

void FieldBindings::Radio(QButtonGroup* group, int* value) {
    group->setExclusive(true);
    QWidget* first = group->buttons().isEmpty() ? nullptr : group->buttons().front();
    fields_.push_back({first,
                       [=] {
                           QAbstractButton* b = group->button(*value);
                           if (b) {
                               b->setChecked(true);
                           } else if (QAbstractButton* on = group->checkedButton()) {
                               // An exclusive group cannot uncheck its last button directly.
                               group->setExclusive(false);
                               on->setChecked(false);
                               group->setExclusive(true);
                           }
                       },
                       [=]() -> std::optional<std::string> {
                           *value = group->checkedId();
                           return std::nullopt;
                       }});
}

void FieldBindings::Combo(QComboBox* box, int* value) {
    fields_.push_back(
        {box, [=] { box->setCurrentIndex(*value >= 0 && *value < box->count() ? *value : -1); },
         [=]() -> std::optional<std::string> {
             *value = box->currentIndex();
             return std::nullopt;
         }});
}

void FieldBindings::Spin(QSpinBox* box, int* value) {
    fields_.push_back({box, [=] { box->setValue(*value); },
                       [=]() -> std::optional<std::string> {
                           *value = box->value();
                           return std::nullopt;
                       }});
}

void FieldBindings::Check(QCheckBox* box, int* value) {
    // A partly checked box becomes an ordinary one at the user's first click.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    fields_.push_back({box,
                       [=] {
                           box->setTristate(*value == 2);
                           box->setCheckState(*value == 1   ? Qt::Checked
                                              : *value == 2 ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
                       },
                       [=]() -> std::optional<std::string> {
                           switch (box->checkState()) {
                               case Qt::Checked:
                                   *value = 1;
                                   break;
                               case Qt::PartiallyChecked:
                                   *value = 2;
                                   break;
                               default:
                                   *value = 0;
                           }
                           return std::nullopt;
                       }});
}

void FieldBindings::Show() const {
    for (const Field& f : fields_) f.show();
}

bool FieldBindings::Take(platform::UserPrompt* report) {
    for (const Field& f : fields_) {
        std::optional<std::string> problem = f.take();
        if (!problem) continue;
        if (report) {
            report->Message(*problem, platform::PromptIcon::Warning, platform::PromptButtons::Ok);
            if (f.control) {
                f.control->setFocus(Qt::OtherFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(f.control)) edit->selectAll();
            }
        }
        return false;
    }
    return true;
}
