// Items of table-driven dialogs: variables into controls, the reformat of numeric edits, and
// controls back into variables.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolTip>
#include <QValidator>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "wepo/core/Evaluator.h"
#include "wepo/core/NumberFormat.h"
#include "wepo/dlgbox/DlgBoxForm.h"
#include "wepo/dlgbox/SpinButtons.h"
#include "wepo/dlgbox/TabPages.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/filesel/SelectCommon.h"
#include "wepo/util/WindowUtil.h"

namespace wepo {

namespace {

unsigned KindOf(const DlgBoxItem& item) {
    return item.attributes & 0xFF;
}
unsigned TypeOf(const DlgBoxItem& item) {
    return (item.attributes >> 8) & 0xFF;
}
unsigned FlagsOf(const DlgBoxItem& item) {
    return (item.attributes >> 16) & 0xFF;
}
bool IsNumeric(unsigned type) {
    return type >= DBV_CHAR && type <= DBV_DOUBLE;
}
bool IsInteger(unsigned type) {
    return type >= DBV_CHAR && type <= DBV_LONG;
}
int BitsOf(unsigned type) {
    return type == DBV_CHAR ? 8 : type == DBV_SHORT ? 16 : 32;
}

double ReadVariable(unsigned type, const void* v) {
    switch (type) {
        case DBV_CHAR:
            return *static_cast<const int8_t*>(v);
        case DBV_SHORT:
            return *static_cast<const int16_t*>(v);
        case DBV_LONG:
            return *static_cast<const int32_t*>(v);
        case DBV_FLOAT:
            return *static_cast<const float*>(v);
        default:
            return *static_cast<const double*>(v);
    }
}

void WriteVariable(unsigned type, void* v, double value) {
    switch (type) {
        case DBV_CHAR:
            *static_cast<int8_t*>(v) = static_cast<int8_t>(SaturateToBits(value, 8));
            break;
        case DBV_SHORT:
            *static_cast<int16_t*>(v) = static_cast<int16_t>(SaturateToBits(value, 16));
            break;
        case DBV_LONG:
            *static_cast<int32_t*>(v) = static_cast<int32_t>(SaturateToBits(value, 32));
            break;
        case DBV_FLOAT:
            *static_cast<float*>(v) = static_cast<float>(value);
            break;
        default:
            *static_cast<double*>(v) = value;
            break;
    }
}

// Clamps value to [lo, hi] as the controller always did: first the lower, then the upper bound.
double Clamp(double value, double lo, double hi) {
    if (value < lo) return lo;
    if (value > hi) return hi;
    return value;
}

// The bounds of an integer item, truncated toward zero to the variable's type.
double IntBound(double bound, unsigned type) {
    return static_cast<double>(SaturateToBits(bound, BitsOf(type)));
}

bool HasText(const char* text) {
    return text && *text;
}

// value as the item shows it: the item's format when it is one for the type, else the
// default format ("%d", "%ld", or the default real format with its trimming).
QString FormatValue(const DlgBoxItem& item, double value) {
    std::string out;
    unsigned type = TypeOf(item);
    if (IsInteger(type)) {
        long long n = SaturateToBits(value, BitsOf(type));
        if (!HasText(item.text) || !FormatInteger(item.text, n, out))
            FormatInteger(type == DBV_LONG ? "%ld" : "%d", n, out);
    } else {
        if (type == DBV_FLOAT) value = static_cast<float>(value);
        if (!HasText(item.text) || !FormatRealWith(item.text, value, out))
            out = FormatDefaultReal(value);
    }
    return QString::fromStdString(out);
}

// The NUL-terminated strings of a radio or combo item, count of them.
QStringList StringRun(const char* text, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i) {
        if (!text) {
            out.append(QString());
            continue;
        }
        out.append(QString::fromUtf8(text));
        text += std::strlen(text) + 1;
    }
    return out;
}

// Lets an edit hold at most limit bytes of CP932 text and only characters CP932 can hold.
class Cp932Validator : public QValidator {
public:
    Cp932Validator(size_t limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int&) const override {
        platform::Cp932Encoding e = platform::Utf8ToCp932(input.toStdString());
        return e.ok() && e.bytes.size() <= limit_ ? Acceptable : Invalid;
    }

private:
    size_t limit_;
};

// bytes cut to at most limit bytes without splitting a double-byte character.
size_t CutAtCharacter(std::string_view bytes, size_t limit) {
    size_t n = 0;
    while (n < bytes.size()) {
        size_t len = platform::CharLength(bytes, n);
        if (n + len > limit) break;
        n += len;
    }
    return n;
}

}  // namespace

int DlgBoxForm::Fill(int index) {
    if (index >= count_) return 0;
    for (int i = index < 0 ? 0 : index; i < (index < 0 ? count_ : index + 1); ++i)
        if (!FillOne(static_cast<size_t>(i))) return 0;
    return 1;
}

int DlgBoxForm::Store(int index) {
    if (index >= count_) return 0;
    for (int i = index < 0 ? 0 : index; i < (index < 0 ? count_ : index + 1); ++i)
        if (!StoreOne(static_cast<size_t>(i))) return 0;
    return 1;
}

int DlgBoxForm::Reformat(int index) {
    if (index >= count_) return 0;
    for (int i = index < 0 ? 0 : index; i < (index < 0 ? count_ : index + 1); ++i)
        if (KindOf(items_[i]) == DBK_EDIT && !ReformatOne(static_cast<size_t>(i))) return 0;
    return 1;
}

bool DlgBoxForm::FillOne(size_t i) {
    DlgBoxItem& item = items_[i];
    Slot& slot = itemSlots_[i];
    const unsigned kind = KindOf(item), type = TypeOf(item), flags = FlagsOf(item);
    QWidget* control = FindControl(window_, item.controlId);
    if (!control) return false;
    const int buttons = kind == DBK_RADIO ? qMax(0, static_cast<int>(item.max)) : 1;

    for (int b = 0; b < buttons; ++b) {
        QWidget* w = b == 0 ? control : FindControl(window_, item.controlId + b);
        if (!w) continue;
        if (flags & DBF_DISABLE) w->setEnabled(false);
        if (flags & DBF_HIDE) w->setHidden(true);
    }
    if ((flags & DBF_SPIN) && !slot.spin) {
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            slot.spin = new SpinButtons(edit);
            const unsigned id = item.controlId;
            connect(slot.spin, &SpinButtons::Stepped, this,
                    [this, id](int delta) { Notify(id, DBN_SPINDELTA, delta); });
        }
    }
    if (item.text && (kind == DBK_CHECK || kind == DBK_STATIC || kind == DBK_BUTTON))
        SetControlText(control, QString::fromUtf8(item.text));
    if (item.text && kind == DBK_RADIO) {
        QStringList captions = StringRun(item.text, buttons);
        for (int b = 0; b < buttons; ++b)
            if (auto* w = qobject_cast<QAbstractButton*>(FindControl(window_, item.controlId + b)))
                w->setText(captions[b]);
    }

    if (type == DBV_STRING) {
        if ((kind != DBK_EDIT && kind != DBK_STATIC) || !item.variable) return false;
        const char* bytes = static_cast<const char*>(item.variable);
        size_t length =
            item.max >= 1 ? strnlen(bytes, static_cast<size_t>(item.max)) : std::strlen(bytes);
        std::string text = platform::Cp932ToUtf8(std::string_view(bytes, length));
        std::string shown;
        if (!HasText(item.text) || !FormatString(item.text, text, shown)) shown = text;
        if (kind == DBK_EDIT) {
            auto* edit = qobject_cast<QLineEdit*>(control);
            if (!edit || item.max < 1) return false;
            const auto limit = static_cast<size_t>(item.max) - 1;
            edit->setMaxLength(static_cast<int>(qMin<size_t>(limit, 32767)));
            edit->setValidator(new Cp932Validator(limit, edit));
            edit->setText(QString::fromStdString(shown));
        } else {
            SetControlText(control, QString::fromStdString(shown));
        }
        return true;
    }
    if (IsNumeric(type)) {
        if (!item.variable) return false;
        double value = ReadVariable(type, item.variable);
        switch (kind) {
            case DBK_EDIT: {
                auto* edit = qobject_cast<QLineEdit*>(control);
                if (!edit) return false;
                if (item.min != item.max) {
                    value = IsInteger(type)
                                ? Clamp(value, IntBound(item.min, type), IntBound(item.max, type))
                                : Clamp(value, item.min, item.max);
                }
                edit->setText(FormatValue(item, value));
                SetRefused(i, edit, false);
                return true;
            }
            case DBK_CHECK: {
                auto* box = qobject_cast<QAbstractButton*>(control);
                if (!box) return false;
                box->setChecked(value != 0.0);
                return true;
            }
            case DBK_RADIO: {
                if (buttons < 1) return true;
                if (!slot.radios) {
                    slot.radios = new QButtonGroup(this);
                    slot.radios->setExclusive(true);
                    for (int b = 0; b < buttons; ++b)
                        if (auto* w = qobject_cast<QAbstractButton*>(
                                FindControl(window_, item.controlId + b)))
                            slot.radios->addButton(w, b);
                }
                int n = static_cast<int>(SaturateToBits(Clamp(value, 0, buttons - 1), 32));
                if (QAbstractButton* w = slot.radios->button(n)) w->setChecked(true);
                return true;
            }
            case DBK_COMBO: {
                auto* combo = qobject_cast<QComboBox*>(control);
                if (!combo) return false;
                const int entries = qMax(0, static_cast<int>(item.max));
                combo->clear();
                combo->addItems(StringRun(item.text, entries));
                long long n = SaturateToBits(value, 32);
                combo->setCurrentIndex(n >= 0 && n < entries ? static_cast<int>(n) : -1);
                return true;
            }
            default:
                return true;  // accepted, shows nothing
        }
    }
    if (type == DBV_OK || type == DBV_CANCEL) return kind == DBK_BUTTON;
    if (type == DBV_PAGES) {
        auto* tab = qobject_cast<QTabWidget*>(control);
        if (kind != DBK_TAB || !item.variable || item.max < 1 || !tab) return false;
        if (!slot.pages && !CreatePages(i, tab)) return false;
        int first = item.min >= 0 && item.max > item.min ? static_cast<int>(item.min) : 0;
        TabPagesSelect(slot.pages, first);
        return true;
    }
    return type < 1 || type > 9;  // other type codes are ignored
}

bool DlgBoxForm::CreatePages(size_t i, QWidget* tab) {
    DlgBoxItem& item = items_[i];
    Slot& slot = itemSlots_[i];
    slot.pages = TabPagesCreate(tab);
    auto* pages = static_cast<DlgBoxPage*>(item.variable);
    for (int p = 0; p < static_cast<int>(item.max); ++p) {
        const DlgBoxPage& page = pages[p];
        const char* source =
            page.templateSource ? page.templateSource : (hasSource_ ? source_.c_str() : nullptr);
        QWidget* form = LoadTemplate(source, page.templateId);
        if (!form) return false;
        form->setProperty("wepoForm", true);
        form->setParent(tab, Qt::Widget);
        form->hide();
        auto* controller = new DlgBoxForm(form, source, page.items, page.count, page.hook, false);
        if (!controller->SetUp()) return false;  // the page has destroyed itself
        TabPagesAdd(slot.pages, form, 0);
    }
    return true;
}

bool DlgBoxForm::StoreOne(size_t i) {
    DlgBoxItem& item = items_[i];
    const unsigned kind = KindOf(item), type = TypeOf(item);
    QWidget* control = FindControl(window_, item.controlId);
    if (!control) return false;
    if (type == DBV_STRING) {
        if (kind != DBK_EDIT && kind != DBK_STATIC) return false;
        if (kind == DBK_STATIC) return true;
        auto* edit = qobject_cast<QLineEdit*>(control);
        if (!edit || !item.variable || item.max < 1) return false;
        std::string bytes = platform::Utf8ToCp932(edit->text().toStdString()).bytes;
        size_t n = CutAtCharacter(bytes, static_cast<size_t>(item.max) - 1);
        char* out = static_cast<char*>(item.variable);
        std::memcpy(out, bytes.data(), n);
        out[n] = '\0';
        return true;
    }
    if (IsNumeric(type)) {
        if (!item.variable) return false;
        switch (kind) {
            case DBK_EDIT: {
                auto* edit = qobject_cast<QLineEdit*>(control);
                if (!edit) return false;
                if (itemSlots_[i].refused) return true;  // the variable keeps its value
                std::string text = edit->text().left(255).toStdString();
                double value;
                if (IsInteger(type))
                    value = static_cast<double>(
                        SaturateToBits(platform::ParseLeadingInt(text), BitsOf(type)));
                else
                    value = platform::ParseLeadingReal(text);
                if (item.min != item.max) {
                    value = IsInteger(type)
                                ? Clamp(value, IntBound(item.min, type), IntBound(item.max, type))
                                : Clamp(value, item.min, item.max);
                }
                WriteVariable(type, item.variable, value);
                return true;
            }
            case DBK_CHECK: {
                auto* box = qobject_cast<QAbstractButton*>(control);
                if (!box) return false;
                WriteVariable(type, item.variable, box->isChecked() ? 1 : 0);
                return true;
            }
            case DBK_RADIO: {
                for (int b = 0; b < static_cast<int>(item.max); ++b) {
                    auto* w =
                        qobject_cast<QAbstractButton*>(FindControl(window_, item.controlId + b));
                    if (w && w->isChecked()) {
                        WriteVariable(type, item.variable, b);
                        break;
                    }
                }
                return true;
            }
            case DBK_COMBO: {
                auto* combo = qobject_cast<QComboBox*>(control);
                if (!combo) return false;
                if (combo->currentIndex() >= 0)
                    WriteVariable(type, item.variable, combo->currentIndex());
                return true;
            }
            default:
                return true;
        }
    }
    if (type == DBV_OK || type == DBV_CANCEL) return kind == DBK_BUTTON;
    if (type == DBV_PAGES) {
        if (kind != DBK_TAB) return false;
        if ((FlagsOf(item) & DBF_STOREPAGE) && itemSlots_[i].pages)
            item.min = TabPagesGetCurrent(itemSlots_[i].pages);
        return true;
    }
    return type < 1 || type > 9;
}

bool DlgBoxForm::ReformatOne(size_t i) {
    DlgBoxItem& item = items_[i];
    const unsigned type = TypeOf(item);
    if (KindOf(item) != DBK_EDIT) return true;
    if (!item.variable) return false;
    if (!IsNumeric(type)) return true;  // a string edit keeps its text
    auto* edit = qobject_cast<QLineEdit*>(FindControl(window_, item.controlId));
    if (!edit) return false;
    // CP932 bytes, so that the half-width degree mark reads as the byte 0xDF.
    std::string bytes = platform::Utf8ToCp932(edit->text().toStdString()).bytes;
    const char* p = bytes.c_str();
    double value = 0.0;
    if (!EvaluateExpression(p, &value)) value = platform::ParseLeadingReal(bytes);
    // A division by zero is no error to the evaluator, but infinity or no number (1/0, 0/0,
    // sqrt(-1)) is nothing the user meant to store: the text stays for the user to mend.
    if (!std::isfinite(value)) {
        SetRefused(i, edit, true);
        return true;
    }
    SetRefused(i, edit, false);
    if (std::fabs(item.max - item.min) > 1e-6) value = Clamp(value, item.min, item.max);
    QString text = FormatValue(item, value);
    if (edit->text() != text) edit->setText(text);
    return true;
}

void DlgBoxForm::SetRefused(size_t i, QLineEdit* edit, bool refused) {
    Slot& slot = itemSlots_[i];
    if (refused) {
        if (!slot.refused) {
            slot.toolTip = edit->toolTip();
            slot.ownPalette = edit->testAttribute(Qt::WA_SetPalette);
            slot.palette = edit->palette();
            QPalette marked = slot.palette;
            marked.setColor(QPalette::Text, Qt::red);
            edit->setPalette(marked);
        }
        slot.refused = true;
        edit->setToolTip(LibraryMessage(16, {edit->text()}));
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), edit->toolTip(), edit);
    } else if (slot.refused) {
        slot.refused = false;
        edit->setToolTip(slot.toolTip);
        edit->setPalette(slot.ownPalette ? slot.palette : QPalette());
        QToolTip::hideText();
    }
}

QLineEdit* DlgBoxForm::RefusedEdit() {
    for (size_t i = 0; i < itemSlots_.size(); ++i) {
        Slot& slot = itemSlots_[i];
        if (slot.refused)
            return qobject_cast<QLineEdit*>(FindControl(window_, items_[i].controlId));
        for (int p = 0; p < TabPagesGetCount(slot.pages); ++p) {
            DlgBoxForm* page = Of(TabPagesGetPage(slot.pages, p, nullptr));
            if (!page) continue;
            page->Reformat(-1);
            if (QLineEdit* edit = page->RefusedEdit()) {
                TabPagesSelect(slot.pages, p);
                return edit;
            }
        }
    }
    return nullptr;
}

}  // namespace wepo
