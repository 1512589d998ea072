// A block source of a tiny language for tests of the program run and the document's rebuild.
#pragma once

#include <string>
#include <vector>

#include "app/core/NcProgramRun.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbPoint.h"
#include "platform/Numbers.h"

namespace test {

// Lines: "CALL <line> [<repeat>]" calls the line index, "RET" returns, "END" is M30,
// "P<number>" sets the program number, "" is an empty line, "JUMP <line>" jumps (status 1
// without a return expected), "GOTO <line>" is a block whose next line is that line, anything
// else is a block. Every block but an empty line makes
// one point carrying "LineNo=<index>" and "PrtNo=<part number>".
class FakeBlockSource : public NcBlockSource {
public:
    explicit FakeBlockSource(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int LineCount() const override { return int(lines_.size()); }
    int ReadBlock(CDtbEngine& sink, int line, int& nextLine, int& repeatCount) override {
        const std::string& text = lines_.at(size_t(line));
        nextLine = line + 1;
        if (text.empty()) return kBlockEmpty;
        auto* p = new CDtbPoint();
        p->attributes.Add("LineNo=" + std::to_string(line));
        p->attributes.Add("PrtNo=" + std::to_string(part_));
        sink.AppendDtb(p);
        if (text.rfind("CALL ", 0) == 0 || text.rfind("JUMP ", 0) == 0) {
            size_t used = 0;
            nextLine = int(platform::ParseLeadingInt(text.substr(5), &used));
            std::string rest = text.substr(5 + used);
            if (text[0] == 'C' && !rest.empty()) repeatCount = int(platform::ParseLeadingInt(rest));
            return kBlockJump;
        }
        if (text.rfind("GOTO ", 0) == 0) {
            nextLine = int(platform::ParseLeadingInt(text.substr(5)));
            return kBlockDone;
        }
        if (text == "RET") return kBlockReturn;
        if (text == "END") return kBlockProgramEnd;
        if (text[0] == 'P') program_ = int(platform::ParseLeadingInt(text.substr(1)));
        return kBlockDone;
    }
    void SetPartNumber(int partNumber) override { part_ = partNumber; }
    int ProgramNumber() const override { return program_; }

private:
    std::vector<std::string> lines_;
    int part_ = 0;
    int program_ = 0;
};

// "line:part" of every top-level element, in order.
inline std::string Trail(const CDtbEngine& elements) {
    std::string out;
    for (CDtbElement* e = elements.GetFirstElement(); e; e = e->link.next) {
        std::string line, part;
        for (std::string_view t : e->attributes) {
            if (t.rfind("LineNo=", 0) == 0) line = t.substr(7);
            if (t.rfind("PrtNo=", 0) == 0) part = t.substr(6);
        }
        if (!out.empty()) out += ' ';
        out += line + ":" + part;
    }
    return out;
}

}  // namespace test
