// The "Output dxf" page: the Dxf keys, the enabling of its rows, the browses and the check.
#include "settings/CSetSystemPage5.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>
#include <system_error>

#include "kernel/io/DxfSettings.h"
#include "nc/machine/ProfileText.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"
#include "settings/Choosers.h"
#include "settings/ProfileEdit.h"
#include "settings/SettingsMessages.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDxf = "Dxf";
constexpr size_t kLayerBytes = 63;
constexpr size_t kPathBytes = 255;
constexpr size_t kOptionBytes = 63;
constexpr size_t kRealBytes = 63;

// One class of elements: its keys' prefix, switch, lists, layer edit and labels.
struct ClassRow {
    const char* prefix;
    int check;  // 0: no switch of its own (approach and joint)
    int pen, style, layer;
    std::initializer_list<int> labels;
};
const ClassRow kCut{"Cut_", 1111, 1004, 1002, 1123, {1113, 1112, 1114}};
const ClassRow kMark{"Mrk_", 1115, 1007, 1124, 1125, {1117, 1116, 1118}};
const ClassRow kRapid{"FF_", 1107, 1001, 1000, 1003, {1109, 1108, 1110}};
const ClassRow kApproach{"Apr_", 0, 1009, 1010, 1011, {1139, 1120, 1132, 1133}};
const ClassRow kJoint{"Jnt_", 0, 1012, 1013, 1014, {1140, 1134, 1135, 1136}};

QStringList Items(unsigned id) {
    // Items end at each '|'; each keeps its blanks.
    QStringList items = QString::fromStdString(platform::LoadString(id)).split('|');
    if (!items.isEmpty() && items.back().isEmpty()) items.pop_back();
    return items;
}

// Written so that the profile reader gives back exactly what was typed: it takes off surrounding
// blanks and one pair of enclosing quotes, so such a value gets one more pair.
std::string QuotedWhereRead(const std::string& text) {
    const bool enclosed = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    const bool outerBlanks = !text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                               text.back() == ' ' || text.back() == '\t');
    return enclosed || outerBlanks ? "\"" + text + "\"" : text;
}

}  // namespace

CSetSystemPage5::CSetSystemPage5(SettingsContext& ctx, QWidget* parent)
    : CSystemPage(169, ctx, parent) {
    auto group = [this](int first, int second) {
        auto* g = new QButtonGroup(this);
        g->addButton(Ctl<QRadioButton>(first), 0);
        g->addButton(Ctl<QRadioButton>(second), 1);
        return g;
    };
    bindings_.Radio(group(1127, 1126), &FileNameMode);
    bindings_.Check(Ctl<QCheckBox>(1119), &ExecCad);
    bindings_.Check(Ctl<QCheckBox>(1111), &CutOutput);
    bindings_.Check(Ctl<QCheckBox>(1107), &RapidOutput);
    bindings_.Check(Ctl<QCheckBox>(1115), &MarkOutput);
    bindings_.Radio(group(1128, 1129), &ApproachMode);
    bindings_.Check(Ctl<QCheckBox>(1137), &ApproachProcess);
    bindings_.Real(Ctl<QLineEdit>(1015), &JointLength, 0.0, 99.0);
    bindings_.Real(Ctl<QLineEdit>(1016), &ApproachCheckLength, 1.0, 99.0);
    for (int id : {1123, 1125, 1003, 1011, 1014}) LimitStoredText(Ctl<QLineEdit>(id), kLayerBytes);
    LimitStoredText(Ctl<QLineEdit>(1006), kOptionBytes);
    for (int id : {1005, 1008})
        LimitStoredText(Ctl<QLineEdit>(id), kPathBytes, TextEncoding::Native);

    for (int id : {1111, 1115, 1107, 1137, 1119})
        connect(Ctl<QCheckBox>(id), &QCheckBox::toggled, this, [this] { ApplyEnabling(); });
    for (int id : {1128, 1129, 1127, 1126})
        connect(Ctl<QRadioButton>(id), &QRadioButton::toggled, this, [this] { ApplyEnabling(); });

    connect(Ctl<QPushButton>(1121), &QPushButton::clicked, this, [this] {
        if (!ctx_.Choose) return;
        FileChoice c;
        c.title = platform::LoadString(kTitleCadProgram);
        c.filter = ProgramFilter(kFilterCadProgram);
        c.initial = Ctl<QLineEdit>(1005)->text().toStdString();
        c.mustExist = true;
        if (auto chosen = ctx_.Choose->OpenFile(this, c))
            Ctl<QLineEdit>(1005)->setText(QString::fromStdString(*chosen));
    });
    connect(Ctl<QPushButton>(1122), &QPushButton::clicked, this, [this] {
        if (!ctx_.Choose) return;
        // An output file: it need not exist yet.
        FileChoice c;
        c.title = platform::LoadString(kTitleSaveDxf);
        c.filter = platform::LoadString(kFilterDxf);
        c.initial = Ctl<QLineEdit>(1008)->text().toStdString();
        c.defaultExtension = "dxf";
        c.mustExist = false;
        if (auto chosen = ctx_.Choose->SaveFile(this, c))
            Ctl<QLineEdit>(1008)->setText(QString::fromStdString(*chosen));
    });
}

void CSetSystemPage5::OnInitDialog() {
    const QStringList pens = Items(kPenItems);
    const QStringList styles = Items(kLineTypeItems);
    const DxfSettings defaults;
    ProfileEdit f(ctx_.IniPath());
    auto text = [&](const std::string& key, const std::string& def, size_t bytes) {
        return f.Text(kDxf, key, def, bytes);
    };
    auto cp932 = [](const std::string& bytes) {
        return QString::fromStdString(platform::Cp932ToUtf8(bytes));
    };
    auto readRow = [&](const ClassRow& row, const DxfLayerStyle& def, int* output) {
        const std::string p = row.prefix;
        if (output) *output = f.Int(kDxf, p + "Output", def.output);
        auto* pen = Ctl<QComboBox>(row.pen);
        auto* style = Ctl<QComboBox>(row.style);
        pen->clear();
        pen->addItems(pens);
        style->clear();
        style->addItems(styles);
        const int penNo = f.Int(kDxf, p + "PenNo", def.penNo);
        const int styleNo = f.Int(kDxf, p + "LKindNo", def.lineTypeNo);
        pen->setCurrentIndex(penNo >= 0 && penNo < pen->count() ? penNo : -1);
        style->setCurrentIndex(styleNo >= 0 && styleNo < style->count() ? styleNo : -1);
        Ctl<QLineEdit>(row.layer)->setText(cp932(text(p + "LayerName", def.layer, kLayerBytes)));
    };
    readRow(kCut, defaults.cut, &CutOutput);
    readRow(kMark, defaults.mark, &MarkOutput);
    readRow(kRapid, defaults.rapid, &RapidOutput);
    ApproachProcess = f.Int(kDxf, "Apr_Proc", defaults.aprProc);
    ApproachMode = f.Int(kDxf, "Apr_Mode", defaults.aprMode);
    JointLength = platform::ParseLeadingReal(
        text("Apr_JointLen", platform::FormatReal(defaults.jointLen, 3), kRealBytes));
    ApproachCheckLength = platform::ParseLeadingReal(
        text("Apr_AprChkLen", platform::FormatReal(defaults.aprChkLen, 3), kRealBytes));
    readRow(kApproach, defaults.approach, nullptr);
    readRow(kJoint, defaults.joint, nullptr);
    ExecCad = f.Int(kDxf, "ExecCad", 0);
    Ctl<QLineEdit>(1005)->setText(QString::fromStdString(text("CadProgramName", "", kPathBytes)));
    Ctl<QLineEdit>(1006)->setText(cp932(text("CadProgramOption", "", kOptionBytes)));
    FileNameMode = f.Int(kDxf, "SpecifyDxfFileNameFlag", 0);
    Ctl<QLineEdit>(1008)->setText(
        QString::fromStdString(text("SpecifyDxfFileName", "", kPathBytes)));
    bindings_.Show();
    ApplyEnabling();
}

void CSetSystemPage5::ApplyEnabling() {
    auto ticked = [this](int id) { return Ctl<QCheckBox>(id)->isChecked(); };
    auto enable = [this](const ClassRow& row, bool on) {
        for (int id : {row.pen, row.style}) Ctl<QComboBox>(id)->setEnabled(on);
        Ctl<QLineEdit>(row.layer)->setEnabled(on);
        for (int id : row.labels) Ctl<QLabel>(id)->setEnabled(on);
    };
    enable(kCut, ticked(1111));
    enable(kMark, ticked(1115));
    enable(kRapid, ticked(1107));
    const bool approach = ticked(1137);
    for (int id : {1128, 1129}) Ctl<QRadioButton>(id)->setEnabled(approach);
    for (int id : {1015, 1016}) Ctl<QLineEdit>(id)->setEnabled(approach);
    for (int id : {1208, 1138, 1209, 1141}) Ctl<QLabel>(id)->setEnabled(approach);
    const bool pens = approach && Ctl<QRadioButton>(1129)->isChecked();
    enable(kApproach, pens);
    enable(kJoint, pens);
    const bool cad = ticked(1119);
    for (int id : {1005, 1006}) Ctl<QLineEdit>(id)->setEnabled(cad);
    Ctl<QPushButton>(1121)->setEnabled(cad);
    for (int id : {1130, 1131}) Ctl<QLabel>(id)->setEnabled(cad);
    const bool fixed = Ctl<QRadioButton>(1126)->isChecked();
    Ctl<QLineEdit>(1008)->setEnabled(fixed);
    Ctl<QPushButton>(1122)->setEnabled(fixed);
}

std::string CSetSystemPage5::Layer(int id) const {
    return Ctl<QLineEdit>(id)->text().toStdString();
}

std::optional<CSetSystemPage5::Problem> CSetSystemPage5::FindDxfProblem() const {
    // The switches as the page shows them (each switch took the controls in when clicked); an
    // unshown page has them all off.
    const bool shown = Shown();
    auto on = [&](int id, int member) {
        return shown ? Ctl<QCheckBox>(id)->checkState() != Qt::Unchecked : member != 0;
    };
    if (on(1111, CutOutput) && Layer(1123).empty()) return Problem{kMsgNoCutLayer, {}, 1123};
    if (on(1115, MarkOutput) && Layer(1125).empty()) return Problem{kMsgNoMarkLayer, {}, 1125};
    if (on(1107, RapidOutput) && Layer(1003).empty()) return Problem{kMsgNoRapidLayer, {}, 1003};
    const bool pens = shown ? Ctl<QRadioButton>(1129)->isChecked() : ApproachMode == 1;
    if (on(1137, ApproachProcess) && pens) {
        if (Layer(1011).empty()) return Problem{kMsgNoApproachLayer, {}, 1011};
        if (Layer(1014).empty()) return Problem{kMsgNoJointLayer, {}, 1014};
    }
    if (on(1119, ExecCad)) {
        const std::string program = Ctl<QLineEdit>(1005)->text().toStdString();
        if (program.empty()) return Problem{kMsgNoCadProgram, {}, 1005};
        // A folder opens for reading on Linux: only a regular file is a program.
        std::error_code ec;
        if (!fs::is_regular_file(program, ec)) return Problem{kMsgCadProgramMissing, program, 1005};
    }
    const bool fixed = shown ? Ctl<QRadioButton>(1126)->isChecked() : FileNameMode == 1;
    if (fixed) {
        const std::string name = Ctl<QLineEdit>(1008)->text().toStdString();
        if (name.empty()) return Problem{kMsgNoDxfFileName, {}, 1008};
        const size_t slash = name.find_last_of('/');
        const std::string folder =
            slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec))
            return Problem{kMsgNoDxfFolder, folder, 1008};
    }
    return std::nullopt;
}

int CSetSystemPage5::CheckDxfSettings() {
    if (std::optional<Problem> p = FindDxfProblem()) {
        ctx_.MessageText(FillPlaceholders(platform::LoadString(p->message), {p->argument}),
                         platform::PromptIcon::Warning);
        auto* control = Ctl<QLineEdit>(p->control);
        control->setFocus(Qt::OtherFocusReason);
        control->selectAll();
        return 0;
    }
    if (Shown() && Ctl<QRadioButton>(1126)->isChecked()) {
        // A fixed name without an extension gets ".dxf"; a dot in a folder name does not count.
        QLineEdit* edit = Ctl<QLineEdit>(1008);
        const QString name = edit->text();
        if (!name.mid(name.lastIndexOf('/') + 1).contains('.')) edit->setText(name + ".dxf");
    }
    return 1;
}

void CSetSystemPage5::OnOK(ProfileEdit& f) {
    bindings_.Take(nullptr);
    auto stored = [this](int id) {
        return platform::Utf8ToCp932(Ctl<QLineEdit>(id)->text().toStdString()).bytes;
    };
    auto native = [this](int id) { return Ctl<QLineEdit>(id)->text().toStdString(); };
    auto writeRow = [&](const ClassRow& row, const int* output) {
        const std::string p = row.prefix;
        if (output) f.SetInt(kDxf, p + "Output", *output);
        f.SetInt(kDxf, p + "PenNo", Ctl<QComboBox>(row.pen)->currentIndex());
        f.SetInt(kDxf, p + "LKindNo", Ctl<QComboBox>(row.style)->currentIndex());
        f.Set(kDxf, p + "LayerName", stored(row.layer));
    };
    writeRow(kCut, &CutOutput);
    writeRow(kMark, &MarkOutput);
    writeRow(kRapid, &RapidOutput);
    f.SetInt(kDxf, "Apr_Proc", ApproachProcess);
    f.SetInt(kDxf, "Apr_Mode", ApproachMode);
    f.SetReal(kDxf, "Apr_JointLen", JointLength);
    f.SetReal(kDxf, "Apr_AprChkLen", ApproachCheckLength);
    writeRow(kApproach, nullptr);
    writeRow(kJoint, nullptr);
    f.SetInt(kDxf, "ExecCad", ExecCad);
    f.Set(kDxf, "CadProgramOption", QuotedWhereRead(stored(1006)));
    f.Set(kDxf, "CadProgramName", native(1005));
    f.SetInt(kDxf, "SpecifyDxfFileNameFlag", FileNameMode);
    f.Set(kDxf, "SpecifyDxfFileName", native(1008));
}
