// The die edit dialogs (templates 1538 add and 1546 change): the layout of each shape, the checks
// at OK and the choice of a shape file.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cstring>

#include "nc/machine/DieDialogTable.h"
#include "nc/machine/DieDialogTexts.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"
#include "settings/DieDialogParts.h"
#include "settings/SettingsMessages.h"
#include "settings/TableDialogRun.h"

namespace {

constexpr unsigned kNumber = 1373;
constexpr unsigned kShape = 1361;
constexpr unsigned kRange = 1376;
constexpr unsigned kSizeX = 1370;
constexpr unsigned kSizeY = 1371;
constexpr unsigned kSizeR = 1372;
constexpr unsigned kAngle = 1375;
constexpr unsigned kShapeFile = 1377;
constexpr unsigned kBrowse = 1378;
constexpr unsigned kShapeFileLabel = 1379;
constexpr unsigned kLabelY = 1611;
constexpr unsigned kFirstDirection = 1612;
constexpr unsigned kSecondDirection = 1613;
constexpr unsigned kEndless = 7011;
constexpr unsigned kLabelR = 7012;
constexpr unsigned kRotation = 1437;

constexpr int kMaxDieNumber = 32767;
// Native paths may be longer than the shape-file field; the name is cut to it afterwards.
constexpr unsigned kPathBuffer = 4096;

std::string g_shapeEntries;
std::string g_rangeEntries;

DieEditRecord& Rec() {
    return DieDialogRecord().Edit;
}

// The item table of both edit dialogs: 20 items, no flags.
DlgBoxItem g_items[20];

void BuildItems() {
    DieEditRecord& r = Rec();
    const auto edit = DlgBoxAttributes(DBK_EDIT, DBV_DOUBLE);
    const auto check = DlgBoxAttributes(DBK_CHECK, DBV_SHORT);
    const auto text = DlgBoxAttributes(DBK_EDIT, DBV_STRING);
    std::vector<std::string> shapes = StringItems(kShapeComboItems);
    shapes.resize(14);
    g_shapeEntries = NulRun(shapes);
    std::vector<std::string> ranges;
    for (const char* letter : {"Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ", "Ｆ", "Ｇ", "Ｈ", "Ｉ", "Ｊ"})
        ranges.push_back(std::string("      ") + letter + "         ");
    g_rangeEntries = NulRun(ranges);
    DlgBoxItem items[20] = {
        {kNumber, DlgBoxAttributes(DBK_EDIT, DBV_LONG), &r.Number, 0, 0, "%d"},
        {kShape, DlgBoxAttributes(DBK_COMBO, DBV_SHORT), &r.ShapeIndex, 0, 14,
         g_shapeEntries.c_str()},
        {1391, check, &r.Usage[0], 0, 1, nullptr},
        {1392, check, &r.Usage[1], 0, 1, nullptr},
        {1393, check, &r.Usage[2], 0, 1, nullptr},
        {1394, check, &r.Usage[3], 0, 1, nullptr},
        {1395, check, &r.Usage[4], 0, 1, nullptr},
        {1396, check, &r.Usage[5], 0, 1, nullptr},
        {kRange, DlgBoxAttributes(DBK_COMBO, DBV_SHORT), &r.RangeIndex, 0, 10,
         g_rangeEntries.c_str()},
        {1374, check, &r.Air, 0, 1, nullptr},
        {1380, check, &r.Clamp, 0, 1, nullptr},
        {kSizeX, edit, &r.SizeX, 0, 0, "%-6.2f"},
        {kSizeY, edit, &r.SizeY, 0, 0, "%-6.2f"},
        {kSizeR, edit, &r.R, 0, 0, "%-6.2f"},
        {kAngle, edit, &r.Angle, 0, 0, "%-6.2f"},
        {kShapeFile, text, r.ShapeFile, 0, 262, nullptr},
        {1606, text, r.StartCode, 0, 128, nullptr},
        {1607, text, r.EndCode, 0, 128, nullptr},
        {kFirstDirection, DlgBoxAttributes(DBK_RADIO, DBV_LONG), &r.Direction, 0, 2, nullptr},
        {kEndless, DlgBoxAttributes(DBK_CHECK, DBV_LONG), &r.Endless, 0, 1, nullptr},
    };
    std::copy(std::begin(items), std::end(items), g_items);
}

bool IsSpecial(int shape) {
    return shape == kShapeSpecial || shape == kShapeForming || shape == kShapeStamping;
}

template <class... Shapes>
bool OneOf(int shape, Shapes... shapes) {
    return ((shape == shapes) || ...);
}

void Enable(QWidget* dialog, std::initializer_list<unsigned> ids, bool on) {
    for (unsigned id : ids)
        if (QWidget* w = DlgBoxControl(dialog, id)) w->setEnabled(on);
}

void Show(QWidget* dialog, std::initializer_list<unsigned> ids, bool on) {
    for (unsigned id : ids)
        if (QWidget* w = DlgBoxControl(dialog, id)) w->setVisible(on);
}

// A field that does not apply to the shape is disabled and shows zero.
void Zero(QWidget* dialog, unsigned id) {
    Enable(dialog, {id}, false);
    if (auto* e = DieCtl<QLineEdit>(dialog, id)) e->setText(QStringLiteral("0.00"));
}

void SetCaption(QWidget* dialog, unsigned id, unsigned textId) {
    if (auto* l = DieCtl<QLabel>(dialog, id))
        l->setText(QString::fromStdString(platform::LoadString(textId)));
    else if (auto* b = DieCtl<QAbstractButton>(dialog, id))
        b->setText(QString::fromStdString(platform::LoadString(textId)));
}

// The fields of shape index s. At set-up the template's controls are all enabled; a change of
// the shape also enables again what the new shape uses.
void ApplyLayout(QWidget* dialog, int s, bool setUp) {
    const int shape = s + 1;
    const bool special = IsSpecial(shape);

    if (!special) {
        Enable(dialog, {kShapeFile, kBrowse, kShapeFileLabel, kRotation}, false);
        if (auto* e = DieCtl<QLineEdit>(dialog, kShapeFile)) e->clear();
    } else if (!setUp) {
        Enable(dialog, {kShapeFile, kBrowse, kShapeFileLabel, kRotation}, true);
    }
    if (special)
        Zero(dialog, kSizeX);
    else if (!setUp)
        Enable(dialog, {kSizeX}, true);

    if (setUp && shape == kShapeSquare) {
        Enable(dialog, {kSizeY}, false);  // shows its value; OK takes size X
    } else if (OneOf(shape, kShapeRound, kShapeCentrePunch, kShapeBurring, kShapeTapping) ||
               special || (!setUp && shape == kShapeSquare)) {
        Zero(dialog, kSizeY);
    } else if (!setUp) {
        Enable(dialog, {kSizeY}, true);
    }

    if (HasDirection(shape)) {
        SetCaption(dialog, kLabelY, kCaptionDirection);
        Show(dialog, {kSizeY}, false);
        Show(dialog, {kFirstDirection, kSecondDirection}, true);
        const bool tapping = shape == kShapeTapping;
        SetCaption(dialog, kFirstDirection, tapping ? kCaptionRightThread : kCaptionUp);
        SetCaption(dialog, kSecondDirection, tapping ? kCaptionLeftThread : kCaptionDown);
    } else {
        SetCaption(dialog, kLabelY, kCaptionSizeY);
        Show(dialog, {kSizeY}, true);
        Show(dialog, {kFirstDirection, kSecondDirection}, false);
    }

    if (OneOf(shape, kShapeSquareRadius, kShapeCornerRadius)) {
        Show(dialog, {kLabelR, kSizeR}, true);
        Show(dialog, {kEndless}, false);
        if (!setUp) Enable(dialog, {kSizeR}, true);
    } else if (shape == kShapeBurring) {
        Show(dialog, {kLabelR, kSizeR}, false);
        Show(dialog, {kEndless}, true);
    } else {
        Show(dialog, {kLabelR, kSizeR}, true);
        Show(dialog, {kEndless}, false);
        Zero(dialog, kSizeR);
    }

    if (OneOf(shape, kShapeRound, kShapeCentrePunch, kShapeBurring, kShapeTapping))
        Zero(dialog, kAngle);
    else if (!setUp)
        Enable(dialog, {kAngle}, true);

    if (setUp && Rec().PlacedOnEntry > 0) Enable(dialog, {kRange}, false);
}

int SelectedShape(QWidget* dialog) {
    auto* combo = DieCtl<QComboBox>(dialog, kShape);
    return combo ? combo->currentIndex() : -1;
}

// The checks before the controller stores: a shape, a number of 1 to 32767 that no other die
// has. True when the dialog may end.
bool CheckAtOK(QWidget* dialog) {
    const int s = SelectedShape(dialog);
    if (s < 0) {
        DieMessage(kMsgChooseShape, platform::PromptIcon::Warning);
        DlgBoxFocusItem(dialog, kShape);
        return false;
    }
    auto* numberEdit = DieCtl<QLineEdit>(dialog, kNumber);
    const std::optional<long long> number =
        platform::ParseInt(numberEdit ? numberEdit->text().toStdString() : std::string());
    if (!number || *number < 1 || *number > kMaxDieNumber) {
        DieMessage(kMsgDieNumberRange, platform::PromptIcon::Error, kCaptionError);
        DlgBoxFocusItem(dialog, kNumber);
        return false;
    }
    // The number that will be stored is the one checked.
    if (*number != Rec().Number && !IsDieNumberFree(RunState(), int(*number))) {
        DieMessage(kMsgDieNumberTaken, platform::PromptIcon::Error, kCaptionError);
        DlgBoxFocusItem(dialog, kNumber);
        return false;
    }
    const int shape = s + 1;
    if (shape == kShapeSquare) {
        auto* x = DieCtl<QLineEdit>(dialog, kSizeX);
        auto* y = DieCtl<QLineEdit>(dialog, kSizeY);
        if (x && y) y->setText(x->text());
    }
    auto* rotation = DieCtl<QComboBox>(dialog, kRotation);
    Rec().Rotation = static_cast<int16_t>(
        IsSpecial(shape) && rotation ? std::max(0, rotation->currentIndex()) : 0);
    return true;
}

// Chooses a shape file in the shape-file folder; the die keeps only the file's name.
void Browse(QWidget* dialog) {
    const int s = SelectedShape(dialog);
    if (s < 0) return;
    const int shape = s + 1;
    const size_t kind = shape == kShapeSpecial ? 0 : shape == kShapeForming ? 1 : 2;
    DieDialogModule& module = DieDialogRecord();
    auto* edit = DieCtl<QLineEdit>(dialog, kShapeFile);
    std::string name = edit ? edit->text().left(261).toStdString() : std::string();
    if (name.empty()) name = platform::Cp932ToUtf8(module.ShapeFileNames[kind]);
    const unsigned filterIndex = unsigned(std::max(0, module.ShapeFileFilterIndexes[kind]));
    static const char* const kExtensions[] = {"SPF", "SEF", "KIF", "DXF"};
    const char* extension =
        filterIndex >= 1 && filterIndex <= 4 ? kExtensions[filterIndex - 1] : nullptr;
    if (name.empty()) name = std::string("*.") + (extension ? extension : "*");

    const std::string title = platform::LoadString(kTitleShapeFile);
    const std::string filter = NulRun(StringItems(kFilterShapeFile));
    std::vector<char> file(kPathBuffer, '\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    FileSelectParams p{};
    p.title = title.c_str();
    p.filter = filter.c_str();
    p.initialDirectory = module.ShapeFileFolder.c_str();
    p.filterIndex = filterIndex;
    p.file = file.data();
    p.fileSize = kPathBuffer;
    p.defaultExtension = extension;
    p.sortOptions = 1;
    p.displayOptions = 1;
    if (DieSelectFile(dialog, WPF_OPEN, &p) != 1) return;

    const std::string chosen(file.data());
    const size_t slash = chosen.rfind('/');
    const std::string base = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    // The die file holds CP932: a name it cannot hold is refused, not stored mangled.
    const platform::Cp932Encoding bytes = platform::Utf8ToCp932(base);
    if (!bytes.ok() || bytes.bytes.size() > 261) {
        DieMessage(kMsgShapeFileNotStorable, platform::PromptIcon::Warning, 0, base);
        return;
    }
    if (edit) edit->setText(QString::fromStdString(base));
    if (slash != std::string::npos) module.ShapeFileNames[kind] = bytes.bytes;
    module.ShapeFileFilterIndexes[kind] = int(p.filterIndex);
}

int DieEditDialogProc(QWidget* dialog, const DlgBoxEvent* e) {
    if (e->type == DBE_INIT) {
        // The shape entries are padded to line up in a fixed-pitch font.
        if (auto* shape = DieCtl<QComboBox>(dialog, kShape)) shape->setFont(DieListFont());
        if (auto* rotation = DieCtl<QComboBox>(dialog, kRotation)) {
            rotation->clear();
            for (const std::string& entry : StringItems(kRotationItems))
                rotation->addItem(QString::fromStdString(entry));
            rotation->setCurrentIndex(
                Rec().Rotation >= 0 && Rec().Rotation < rotation->count() ? Rec().Rotation : -1);
        }
        ApplyLayout(dialog, Rec().ShapeIndex, true);
        return 0;
    }
    if (e->type != DBE_COMMAND) return 0;
    if (e->controlId == kShape && e->code == DBN_SELCHANGE) {
        const int c = SelectedShape(dialog);
        if (c >= 0) ApplyLayout(dialog, c, false);
        return 1;
    }
    if (e->controlId == DBID_OK && e->code == DBN_CLICKED) return CheckAtOK(dialog) ? 0 : 1;
    if (e->controlId == kBrowse && e->code == DBN_CLICKED) {
        Browse(dialog);
        return 1;
    }
    return 0;
}

}  // namespace

int RunDieEditDialog(QWidget* owner, int templateId) {
    BuildItems();
    return RunTableDialog(templateId, owner, g_items, 20, DieEditDialogProc);
}
