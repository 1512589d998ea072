// Generated programs of a million lines for the NC text benchmarks.
#pragma once

#include <charconv>
#include <string>
#include <vector>

// A laser program with program number, comments, moves and sub-program calls (the calls name
// sub-programs the program does not hold): for the text views, which never interpret it.
inline const std::vector<std::string>& MillionLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> v;
        v.reserve(1000000);
        v.push_back("O0001(GENERATED)");
        for (int i = 1; v.size() < 999999; ++i) {
            switch (i % 8) {
                case 0:
                    v.push_back("(PART " + std::to_string(i) + ")");
                    break;
                case 1:
                    v.push_back("G00X" + std::to_string(i % 1000) + ".Y20.");
                    break;
                case 2:
                    v.push_back("M103");
                    break;
                case 3:
                    v.push_back("G01X120.5Y" + std::to_string(i % 500) + ".25F3000");
                    break;
                case 4:
                    v.push_back("G03X100.Y100.R20.");
                    break;
                case 5:
                    v.push_back("M98P" + std::to_string(1000 + i % 9));
                    break;
                case 6:
                    v.push_back("M104");
                    break;
                default:
                    v.push_back("G01X20.Y100.");
                    break;
            }
        }
        v.push_back("M30");
        return v;
    }();
    return lines;
}

// A plain laser program of the peer benchmark's shape (/work/shared/bench/gen_laser.py): a grid
// of rectangles with rounded corners and a hole of two half circles, twelve lines a part, for
// what interprets the text (the document's rebuild after a commit).
inline const std::vector<std::string>& MillionLaserLines() {
    static const std::vector<std::string> lines = [] {
        auto f = [](double v) {
            char buf[32];
            auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
            return std::string(buf, r.ptr);
        };
        std::vector<std::string> v{"G90"};
        v.reserve(1000002);
        for (int k = 0; v.size() + 12 < 1000000; ++k) {
            const double x = (k % 100) * 60.0;
            const double y = (k / 100) * 60.0;
            v.push_back("G00X" + f(x + 33) + "Y" + f(y + 25));
            v.push_back("G02X" + f(x + 17) + "Y" + f(y + 25) + "I-8.J0.");
            v.push_back("G02X" + f(x + 33) + "Y" + f(y + 25) + "I8.J0.");
            v.push_back("G00X" + f(x + 5) + "Y" + f(y));
            v.push_back("G01X" + f(x + 45) + "Y" + f(y));
            v.push_back("G03X" + f(x + 50) + "Y" + f(y + 5) + "I0.J5.");
            v.push_back("G01X" + f(x + 50) + "Y" + f(y + 45));
            v.push_back("G03X" + f(x + 45) + "Y" + f(y + 50) + "I-5.J0.");
            v.push_back("G01X" + f(x + 5) + "Y" + f(y + 50));
            v.push_back("G03X" + f(x) + "Y" + f(y + 45) + "I0.J-5.");
            v.push_back("G01X" + f(x) + "Y" + f(y + 5));
            v.push_back("G03X" + f(x + 5) + "Y" + f(y) + "I5.J0.");
        }
        v.push_back("M30");
        return v;
    }();
    return lines;
}
