// A Choosers that answers from queues and records what was asked, for tests.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "settings/Choosers.h"

class ScriptedChoosers : public Choosers {
public:
    struct Asked {
        std::string kind;          // "open", "save", "folder", "colour", "font"
        FileChoice file;           // open and save
        std::string title, start;  // folder
        QColor colour;             // the colour the chooser opened on
        QFont font;                // the font the chooser opened on
    };
    // Answers in order; an empty queue answers Cancel.
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QFont>> fonts;
    std::vector<Asked> asked;

    std::optional<std::string> OpenFile(QWidget*, const FileChoice& c) override {
        asked.push_back({"open", c, {}, {}, {}, {}});
        return Next(files);
    }
    std::optional<std::string> SaveFile(QWidget*, const FileChoice& c) override {
        asked.push_back({"save", c, {}, {}, {}, {}});
        return Next(files);
    }
    std::optional<std::string> Folder(QWidget*, std::string_view title,
                                      std::string_view start) override {
        asked.push_back({"folder", {}, std::string(title), std::string(start), {}, {}});
        return Next(folders);
    }
    std::optional<QColor> Colour(QWidget*, const QColor& initial) override {
        asked.push_back({"colour", {}, {}, {}, initial, {}});
        return Next(colours);
    }
    std::optional<QFont> Font(QWidget*, const QFont& initial) override {
        asked.push_back({"font", {}, {}, {}, {}, initial});
        return Next(fonts);
    }

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        std::optional<T> v = q.front();
        q.pop_front();
        return v;
    }
};
