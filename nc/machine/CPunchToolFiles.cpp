// CPunchTool: reading and writing the possessed-die file (.DAT) and the arrangement (.ARR).
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "kernel/util/ScanFields.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieFileIo.h"
#include "nc/machine/DieFileTexts.h"
#include "nc/machine/DieMessages.h"
#include "platform/Numbers.h"

namespace {

using diefile::LeadingInt;
using diefile::LeadingReal;

constexpr std::string_view kRangeLetters = " ABCDEFGHIJ";

bool IsVersion(double version, double v) {
    return std::fabs(version - v) < 0.001;
}

int16_t ToShort(long long v) {
    return static_cast<int16_t>(std::clamp<long long>(v, std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
}

// Range word: its first character A..J gives 1..10; 0 for anything else.
int16_t RangeOf(std::string_view word) {
    if (word.empty() || word[0] < 'A' || word[0] > 'J') return 0;
    return static_cast<int16_t>(word[0] - 'A' + 1);
}

char RangeLetter(int range) {
    return range >= 0 && range < static_cast<int>(kRangeLetters.size()) ? kRangeLetters[range]
                                                                        : ' ';
}

std::string Text(std::string text, size_t max) {
    diefile::CutText(text, max);
    return text;
}

// The figure file of a die line. Older writers put an empty name as "" and a name with
// blanks in quotes; the quotes were kept as part of the name, which then never matched a file
// and grew by a pair of quotes on every save. As in version 4, a name holding a double quote
// is the text between its first quote and the next.
std::string FigureFileName(std::string name) {
    const size_t open = name.find('"');
    if (open == std::string::npos) return name;
    const size_t close = name.find('"', open + 1);
    return name.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

// The fields of a version 4 die line. A comma inside double quotes does not end a field: the
// writer puts the figure file name in quotes, and a name holding a comma used to be cut there,
// shifting its tail into the start code. Bytes from a NUL on are ignored, as by the scanners.
void SplitDieFields(std::string_view line, std::vector<std::string_view>& out) {
    line = line.substr(0, line.find('\0'));
    out.clear();
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ',' && !quoted) {
            out.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(line.substr(start));
}

// A text field of a version 4 die line: the text between its first double quote and the next,
// else its first blank-delimited word.
std::string FieldText(std::string_view field) {
    const size_t quote = field.find('"');
    if (quote != std::string_view::npos) {
        std::string_view rest = field.substr(quote + 1);
        return std::string(rest.substr(0, rest.find('"')));
    }
    return diefile::Word(field);
}

// A header word of the arrangement: a name written empty leaves only the line's comment
// behind it, which must not be taken as the name.
std::string HeaderWord(std::string_view rest, size_t max) {
    std::string w = diefile::Word(rest);
    if (!w.empty() && w[0] == ';') w.clear();
    return Text(std::move(w), max);
}

// One possessed-die line into a record; false on a format error.
bool ParseDieLine(std::string_view line, double version, DieRecord& die) {
    die = DieRecord{};
    std::string range, usage, file, start, end;
    const bool v1 = IsVersion(version, 1.0);
    if (v1 || IsVersion(version, 2.0)) {
        if (ScanTokens(" \t", line,
                       {&die.Number, &range, &die.Shape, &die.SizeX, &die.SizeY, &die.SizeR,
                        &die.Angle, &usage, &die.Air, &file}) < 9)
            return false;
    } else if (IsVersion(version, 3.0)) {
        if (ScanTokens(",", line,
                       {&die.Number, &range, &die.Shape, &die.SizeX, &die.SizeY, &die.SizeR,
                        &die.Angle, &usage, &die.Air, &file, &start, &end}) < 11)
            return false;
    } else {
        const ScanField numbers[] = {&die.Number, &die.Shape, &die.SizeX,    &die.SizeY, &die.SizeR,
                                     &die.Angle,  &die.Air,   &die.Rotation, &die.Clamp};
        std::string* texts[] = {&range, &usage, &file, &start, &end};
        // Field k: number or text, in the order of the line.
        static constexpr int kSlot[] = {0, -1, 1, 2, 3, 4, 5, -2, 6, 7, 8, -3, -4, -5};
        std::vector<std::string_view> fields;
        SplitDieFields(line, fields);
        if (fields.size() < 12) return false;
        for (size_t k = 0; k < fields.size() && k < std::size(kSlot); ++k) {
            if (kSlot[k] >= 0) {
                numbers[kSlot[k]].Scan(fields[k]);
            } else {
                *texts[-kSlot[k] - 1] = FieldText(fields[k]);
            }
        }
    }
    die.ShapeFile = Text(FigureFileName(std::move(file)), kShapeFileMax);
    die.StartCode = Text(std::move(start), kCodeMax);
    die.EndCode = Text(std::move(end), kCodeMax);
    die.Placed = 0;

    die.Range = RangeOf(range);
    if (die.Range == 0) return false;
    if (v1) {
        switch (usage.empty() ? '\0' : usage[0]) {
            case 'O':
                die.Usage = 1;
                break;
            case 'N':
                die.Usage = 2;
                break;
            case 'S':
                die.Usage = 4;
                break;
            case 'P':
                die.Usage = 8;
                break;
            case '-':
                die.Usage = 0;
                break;
            default:
                return false;
        }
    } else {
        for (size_t i = 0; i < 6 && i < usage.size(); ++i)
            if (usage[i] == 'O') die.Usage = static_cast<int16_t>(die.Usage | (1 << i));
    }
    return true;
}

// A text of a possessed-die line without double quotes: the line cannot carry them (a quote
// in a name or code ended the field and took the rest of the line with it on the next read).
std::string Unquoted(std::string text) {
    std::erase(text, '"');
    return text;
}

// A code of a possessed-die line: in double quotes when it holds a blank or a comma, so that
// it reads back whole (the reader takes an unquoted text only up to its first blank, and a
// comma outside quotes ends the field).
std::string DieCode(std::string code) {
    code = Unquoted(std::move(code));
    diefile::CutText(code, kCodeMax);
    if (code.find_first_of(" \t,") == std::string::npos) return code;
    return "\"" + code + "\"";
}

std::string Real(double v, int decimals, size_t width) {
    return diefile::PadLeft(platform::FormatReal(v, decimals), width);
}
std::string Int(long long v, size_t width) {
    return diefile::PadLeft(platform::FormatInt(v), width);
}

void AppendDieLine(std::string& out, const DieRecord& d) {
    // "%4d, %c,%4d,%8.2lf,%8.2lf,%8.2lf,%8.2lf, %s,%2d,%2d,%2d, \"%-s\",%s,%s"
    out += Int(d.Number, 4);
    out += ", ";
    out += RangeLetter(d.Range);
    out += ',';
    out += Int(d.Shape, 4);
    for (double v : {d.SizeX, d.SizeY, d.SizeR, d.Angle}) {
        out += ',';
        out += Real(v, 2, 8);
    }
    out += ", ";
    for (int i = 0; i < 6; ++i) out += (d.Usage & (1 << i)) ? 'O' : '-';
    for (int v : {d.Air, d.Rotation, d.Clamp}) {
        out += ',';
        out += Int(v, 2);
    }
    out += ", \"";
    out += Text(Unquoted(d.ShapeFile), kShapeFileMax);
    out += "\",";
    out += DieCode(d.StartCode);
    out += ',';
    out += DieCode(d.EndCode);
    out += "\r\n";
}

// The fields of one station line by version; false when too few could be read.
struct StationFields {
    int no = 0, sno = 0, tno = 0, extra = 0, ai = 0, ac = 0;
    std::string range, key, start, end;
    double x = 0, y = 0, dangerW = 0, dangerH = 0;
};

bool ParseStationLine(std::string_view line, double version, StationFields& s) {
    std::vector<std::string_view> f;
    if (version < 2.0 - 0.001 || IsVersion(version, 2.0) || IsVersion(version, 3.0)) {
        // Blank-separated; every field up to the version's last must convert.
        const size_t need = version < 2.0 - 0.001 ? 7 : IsVersion(version, 2.0) ? 8 : 10;
        const ScanField fields[] = {&s.sno, &s.tno, &s.range, &s.ai,      &s.key,
                                    &s.x,   &s.y,   &s.ac,    &s.dangerW, &s.dangerH};
        diefile::SplitTokens(line, " \t", f);
        if (f.size() < need + 1) return false;
        for (size_t i = 0; i < need; ++i)
            if (!fields[i].Scan(f[i + 1])) return false;
        return true;
    }
    // Comma-separated. The extra integer after TNO exists in versions other than 4.
    const bool v4 = IsVersion(version, 4.0);
    std::vector<ScanField> fields = {&s.no, &s.sno, &s.tno};
    if (!v4) fields.emplace_back(&s.extra);
    fields.insert(fields.end(), {&s.range, &s.ai, &s.key, &s.x, &s.y, &s.ac, &s.dangerW, &s.dangerH,
                                 &s.start, &s.end});
    // A line with every comma in place is taken field by field, so that an empty start code
    // stays empty and a code keeps its inner blanks; any other line as tokens, empty fields
    // skipped, as older writers expect.
    diefile::SplitFields(line, ',', f);
    if (f.size() != fields.size())
        return ScanTokens(",", line, fields) >= static_cast<int>(fields.size()) - 1;
    for (size_t i = 0; i + 2 < fields.size(); ++i) fields[i].Scan(f[i]);
    s.start = std::string(diefile::Trim(f[f.size() - 2]));
    s.end = std::string(diefile::Trim(f.back()));
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Possessed-die file

int CPunchTool::ReadPossessedFile(const std::filesystem::path& file, int* lines) {
    int lineNo = 0;
    auto done = [&](int result) {
        if (lines) *lines = lineNo;
        return result;
    };
    // Whatever happens, the header's count names exactly the records the table holds.
    Dies.assign(kMaxDies, DieRecord{});
    UnloadedDieLines.clear();
    UnloadedOtherLines.clear();
    Header.DieCount = 0;
    Header.SelectedDie = -99;

    std::string storage;
    std::vector<std::string_view> text;
    if (!diefile::ReadLines(file, storage, text)) return done(kDieFileCannotOpen);
    size_t at = 0;
    if (at >= text.size() || !text[at].starts_with("TITLE")) {
        if (at < text.size()) lineNo = 1;
        return done(kDieFileFormat);
    }
    lineNo = static_cast<int>(++at);

    double version = 0.0;
    for (;;) {
        if (at >= text.size()) return done(kDieFilePrematureEnd);
        std::string_view line = text[at++];
        lineNo = static_cast<int>(at);
        if (diefile::IsSkipped(line)) continue;
        if (line.front() != '*') return done(kDieFileFormat);
        version = platform::ParseLeadingReal(line.substr(1));
        break;
    }
    Header.PossessedVersion = version;

    int count = 0;
    while (count < kMaxDies && at < text.size()) {
        std::string_view line = text[at++];
        lineNo = static_cast<int>(at);
        if (diefile::IsSkipped(line)) continue;
        if (!ParseDieLine(line, version, Dies[count])) {
            Dies[count] = DieRecord{};
            Header.DieCount = count;
            return done(kDieFileFormat);
        }
        ++count;
    }
    Header.DieCount = count;
    // The table is full: the lines after it are kept as they are, so that a save can write them
    // back (the reported line stays that of the table's last record). Only a line read as a die
    // record is a die; any other line there was never an error and counts as no die.
    DieRecord scratch;
    for (; at < text.size(); ++at) {
        if (diefile::IsSkipped(text[at])) continue;
        (ParseDieLine(text[at], version, scratch) ? UnloadedDieLines : UnloadedOtherLines)
            .emplace_back(text[at]);
    }
    return done(kDieFileOk);
}

int CPunchTool::WritePossessedFile(const std::filesystem::path& file, int* lines) {
    // Dies beyond the table are written back as read, under the version 4.0 header. Lines of
    // the older syntaxes would not read back under it: once the table has room for them (the
    // user deleted dies), they are read in the file's own syntax and written with the table's
    // dies, as every die of such a file is; while it has not, writing the file without them
    // would lose dies, so it is not written at all.
    const double version = Header.PossessedVersion;
    if (!UnloadedDieLines.empty() &&
        (IsVersion(version, 1.0) || IsVersion(version, 2.0) || IsVersion(version, 3.0))) {
        const int count = std::clamp<int>(Header.DieCount, 0, kMaxDies);
        std::vector<DieRecord> kept(UnloadedDieLines.size());
        bool fits = kept.size() <= static_cast<size_t>(kMaxDies - count);
        for (size_t i = 0; fits && i < kept.size(); ++i)
            fits = ParseDieLine(UnloadedDieLines[i], version, kept[i]);
        if (!fits) {
            if (lines) *lines = 0;
            return kDieFileDiesNotLoaded;
        }
        // The table takes them only when the file holds them: a failed write leaves the die
        // data as the user left it.
        const std::vector<DieRecord> dies = Dies;
        const int32_t dieCount = Header.DieCount;
        std::vector<std::string> keptLines = std::move(UnloadedDieLines);
        UnloadedDieLines.clear();
        Dies.resize(kMaxDies);
        std::copy(kept.begin(), kept.end(), Dies.begin() + count);
        Header.DieCount = count + static_cast<int>(kept.size());
        const int result = WritePossessedFile(file, lines);
        if (result != kDieFileOk) {
            Dies = dies;
            Header.DieCount = dieCount;
            UnloadedDieLines = std::move(keptLines);
        }
        return result;
    }
    SortDies(1, 2, 3, 4, 5, 6, 7);
    int count = std::clamp<int>(Header.DieCount, 0, kMaxDies);
    std::string out;
    out.reserve(4096 + static_cast<size_t>(count) * 128 +
                (UnloadedDieLines.size() + UnloadedOtherLines.size()) * 128);
    out += diefile::kPossessedHeader;
    for (int i = 0; i < count; ++i) AppendDieLine(out, Dies[i]);
    for (const std::string& line : UnloadedDieLines) {
        out += line;
        out += "\r\n";
    }
    // The other lines go after every die, where the next read leaves them beyond the table.
    // Where it would take them as dies, they are written as comments, so that their text stays
    // and the file reads back with the same dies: when the file now holds fewer dies than the
    // table (a die was deleted), or for a line of an older syntax that reads as a die of 4.0.
    const bool beyond = static_cast<size_t>(count) + UnloadedDieLines.size() >= kMaxDies;
    DieRecord scratch;
    for (const std::string& line : UnloadedOtherLines) {
        if (!beyond || ParseDieLine(line, 4.0, scratch)) out += ';';
        out += line;
        out += "\r\n";
    }
    out += diefile::kPossessedFooter;
    int result = diefile::WriteFileAtomically(file, out);
    if (lines)
        *lines = result == 0 ? static_cast<int>(std::count(out.begin(), out.end(), '\n')) : 0;
    return result;
}

std::vector<int> CPunchTool::UnloadedDieNumbers() const {
    std::vector<int> numbers;
    numbers.reserve(UnloadedDieLines.size());
    DieRecord die;
    for (const std::string& line : UnloadedDieLines)
        if (ParseDieLine(line, Header.PossessedVersion, die)) numbers.push_back(die.Number);
    return numbers;
}

int CPunchTool::ReadWritePossessed(int mode) {
    if (mode == 1) {
        if (PossessedToolFileName.empty()) {
            Dies.assign(kMaxDies, DieRecord{});
            UnloadedDieLines.clear();
            UnloadedOtherLines.clear();
            Header.DieCount = 0;
            Header.SelectedDie = -99;
            return kDieFileCannotOpen;
        }
        std::filesystem::path file = PossessedPath();
        // Taken before the read: a file that changes while it is read is told again next time.
        const std::optional<platform::FileStamp> stamp = platform::StampOf(file);
        int lines = 0;
        int result = ReadPossessedFile(file, &lines);
        static constexpr int kIds[] = {0, diemsg::kPossessedOpen, diemsg::kPossessedRead,
                                       diemsg::kPossessedFormat};
        if (result < 0 && result >= -3) ShowFileError(kIds[-result], file, lines);
        // The application, the machine sheet and the punch page each read the file: the user
        // hears of its dies beyond the table once, and again only when the file has changed.
        const auto known = BeyondTheTableTold.find(file);
        const bool told = stamp && known != BeyondTheTableTold.end() && known->second == *stamp;
        if (result == kDieFileOk && !UnloadedDieLines.empty() && !told && context_ &&
            context_->Prompt) {
            const size_t total = static_cast<size_t>(Header.DieCount) + UnloadedDieLines.size();
            context_->Prompt->Message(
                diemsg::Fill(diemsg::Text(diemsg::kPossessedNotAllLoaded),
                             {file.string(), platform::FormatInt(Header.DieCount),
                              platform::FormatInt(static_cast<long long>(total))}),
                platform::PromptIcon::Warning, platform::PromptButtons::Ok);
            if (stamp) BeyondTheTableTold[file] = *stamp;
        }
        return result;
    }
    if (PossessedToolFileName.empty()) return kDieFileCannotOpen;
    std::filesystem::path file = PossessedPath();
    int lines = 0;
    int result = WritePossessedFile(file, &lines);
    // The user's own save keeps the dies beyond the table they were told of: the reloads after
    // it (the machine sheet's OK) do not tell them again. A change from elsewhere still does.
    if (const auto known = BeyondTheTableTold.find(file);
        result == kDieFileOk && !UnloadedDieLines.empty() && known != BeyondTheTableTold.end()) {
        if (const std::optional<platform::FileStamp> stamp = platform::StampOf(file))
            known->second = *stamp;
    }
    if (result == kDieFileCannotOpen) ShowFileError(diemsg::kPossessedOpen, file, lines);
    if (result == kDieFileWrite) ShowFileError(diemsg::kPossessedWrite, file, lines);
    if (result == kDieFileDiesNotLoaded)
        ShowStopText(diemsg::Fill(diemsg::Text(diemsg::kPossessedOldFormatTooMany),
                                  {file.string(), platform::FormatInt(kMaxDies)}));
    return result;
}

// ---------------------------------------------------------------------------------------
// Arrangement file

int CPunchTool::ReadArrangementFile(const std::filesystem::path& file, int* lines,
                                    int* unregistered) {
    int lineNo = 0;
    int unknown = 0;
    auto done = [&](int result) {
        if (lines) *lines = lineNo;
        if (unregistered) *unregistered = unknown;
        return result;
    };
    Arrangement = TurretArrangement{};

    std::string storage;
    std::vector<std::string_view> text;
    if (!diefile::ReadLines(file, storage, text)) return done(kDieFileCannotOpen);
    size_t at = 0;
    if (at >= text.size()) return done(kDieFilePrematureEnd);
    lineNo = static_cast<int>(++at);
    if (!text[0].starts_with("TITLE")) return done(kDieFileFormat);

    // Header: version, station count, auto-index count, form file, and (after version 1)
    // the turret name, one "*" line each.
    double version = 0.0;
    int headerCount = 0;
    int items = 5;
    for (int item = 0; item < items;) {
        if (at >= text.size()) return done(kDieFilePrematureEnd);
        std::string_view line = text[at++];
        lineNo = static_cast<int>(at);
        if (diefile::IsSkipped(line)) continue;
        if (line.front() != '*') return done(kDieFileFormat);
        std::string_view rest = line.substr(1);
        bool ok = true;
        switch (item) {
            case 0:
                version = LeadingReal(rest, &ok);
                if (IsVersion(version, 1.0)) items = 4;
                break;
            case 1: {
                long long n = LeadingInt(rest, &ok);
                headerCount = static_cast<int>(std::clamp<long long>(n, -1, 1000000));
                break;
            }
            case 2:
                Arrangement.AutoIndexCount = static_cast<int32_t>(LeadingInt(rest, &ok));
                break;
            case 3:
                Arrangement.FormFile = HeaderWord(rest, kFormFileMax);
                break;
            case 4:
                Arrangement.TurretName = HeaderWord(rest, kTurretNameMax);
                break;
        }
        if (!ok) return done(kDieFileFormat);
        ++item;
    }
    Header.ArrangementVersion = version;

    for (DieRecord& d : Dies) d.Placed = 0;
    SortDies(1, 2, 3, 4, 5, 6, 7);

    // The station count always names the stations actually held, never more than the table.
    int count = 0;
    StationFields f;
    while (count < kMaxStations && at < text.size()) {
        std::string_view line = text[at++];
        lineNo = static_cast<int>(at);
        if (diefile::IsSkipped(line)) continue;
        f = StationFields{};
        int16_t range = 0;
        if (ParseStationLine(line, version, f)) range = RangeOf(f.range);
        if (range == 0) {
            Arrangement.StationCount = count;
            return done(kDieFileFormat);
        }
        StationRecord& s = Arrangement.Stations[count];
        s.Index = static_cast<int16_t>(count);
        s.StationNo = ToShort(f.sno);
        s.Range = range;
        s.AutoIndex = ToShort(f.ai);
        s.PosX = f.x;
        s.PosY = f.y;
        s.AcFlag = ToShort(f.ac);
        s.DangerWidth = f.dangerW;
        s.DangerHeight = f.dangerH;
        s.StartCode = Text(std::move(f.start), kCodeMax);
        s.EndCode = Text(std::move(f.end), kCodeMax);
        s.KeyBits = 0;
        for (size_t i = 0; i < 24 && i < f.key.size(); ++i)
            if (f.key[i] == '1') s.KeyBits |= 1 << i;
        s.Die = DieRecord{};
        s.Die.Number = -1;
        if (f.tno >= 1) {
            int index = FindDieIndex(static_cast<int>(f.tno));
            if (index >= 0) {
                Dies[index].Placed = 1;
                s.Die = Dies[index];
            } else {
                ++unknown;
            }
        }
        ++count;
    }
    Arrangement.StationCount = count;
    if (count != headerCount) return done(kDieFileInconsistentCount);

    SortDies(3, 2, 4, 5, 6, 7, 1);
    CollectTapTools();
    return done(kDieFileOk);
}

int CPunchTool::WriteArrangementFile(const std::filesystem::path& file, int* lines) {
    const TurretArrangement& a = Arrangement;
    int count = std::clamp(a.StationCount, 0, kMaxStations);
    std::string out;
    out.reserve(2048 + static_cast<size_t>(count) * 128);
    out += diefile::kArrangementHeader;
    out += '*';
    out += diefile::PadRight(platform::FormatInt(count), 2);
    out += diefile::kStationCountTail;
    out += '*';
    out += diefile::PadRight(platform::FormatInt(a.AutoIndexCount), 2);
    out += diefile::kAutoIndexCountTail;
    out += '*';
    out += diefile::PadRight(Text(a.FormFile, kFormFileMax), 15);
    out += diefile::kFormFileTail;
    out += '*';
    out += diefile::PadRight(Text(a.TurretName, kTurretNameMax), 15);
    out += diefile::kTurretNameTail;
    out += diefile::kStationColumns;
    for (int k = 0; k < count; ++k) {
        const StationRecord& s = a.Stations[k];
        // "%3d,%5d,%5d,%c, %d," 24 x "%1d" ",%6.1lf,%6.1lf,%d,%6.1lf,%6.1lf,%s,%s"
        out += Int(k + 1, 3);
        out += ',';
        out += Int(s.StationNo, 5);
        out += ',';
        out += Int(s.Die.Number < 1 ? 0 : s.Die.Number, 5);
        out += ',';
        out += RangeLetter(s.Range);
        out += ", ";
        out += platform::FormatInt(s.AutoIndex);
        out += ',';
        for (int i = 0; i < 24; ++i) out += (s.KeyBits >> i) & 1 ? '1' : '0';
        out += ',';
        out += Real(s.PosX, 1, 6);
        out += ',';
        out += Real(s.PosY, 1, 6);
        out += ',';
        out += platform::FormatInt(s.AcFlag);
        out += ',';
        out += Real(s.DangerWidth, 1, 6);
        out += ',';
        out += Real(s.DangerHeight, 1, 6);
        out += ',';
        out += Text(s.StartCode, kCodeMax);
        out += ',';
        out += Text(s.EndCode, kCodeMax);
        out += "\r\n";
    }
    out += diefile::kArrangementFooter;
    int result = diefile::WriteFileAtomically(file, out);
    if (lines)
        *lines = result == 0 ? static_cast<int>(std::count(out.begin(), out.end(), '\n')) : 0;
    return result;
}

int CPunchTool::ReadWriteArrangement(int mode) {
    if (mode == 1) {
        if (ArrangedToolFileName.empty()) {
            Arrangement = TurretArrangement{};
            return kDieFileCannotOpen;
        }
        std::filesystem::path file = ArrangementPath();
        int lines = 0;
        int unknown = 0;
        int result = ReadArrangementFile(file, &lines, &unknown);
        static constexpr int kIds[] = {0,
                                       diemsg::kArrangementOpen,
                                       diemsg::kArrangementRead,
                                       diemsg::kArrangementFormat,
                                       diemsg::kArrangementWrite,
                                       diemsg::kArrangementCount};
        if (result < 0 && result >= -5) ShowFileError(kIds[-result], file, lines);
        if (unknown > 0)
            ShowStopText(diemsg::Fill(diemsg::Text(diemsg::kUnregisteredDies),
                                      {platform::FormatInt(unknown), file.string()}));
        return result;
    }
    if (ArrangedToolFileName.empty()) return kDieFileCannotOpen;
    std::filesystem::path file = ArrangementPath();
    int lines = 0;
    int result = WriteArrangementFile(file, &lines);
    if (result == kDieFileCannotOpen) ShowFileError(diemsg::kArrangementOpen, file, lines);
    if (result == kDieFileWrite) ShowFileError(diemsg::kArrangementWrite, file, lines);
    return result;
}
