// The common dialogs the settings dialogs ask through: file, folder, colour and font choosers.
#pragma once

#include <QColor>
#include <QFont>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

// One file question. Texts are UTF-8; paths are native.
struct FileChoice {
    std::string title;
    // The string table's form "description|*.EXT;*.EXT2|...||" (or Qt's own form).
    std::string filter;
    // Where the chooser starts: a file path, or a folder with a pattern name such as "*.*".
    std::string initial;
    // Added to a typed name without an extension ("NMD"); empty for none.
    std::string defaultExtension;
    // Open: the chosen file must exist. Save: an existing file is replaced only after the
    // chooser asked.
    bool mustExist = true;
};

// The program answers with Qt's own (non-native) dialogs; tests script the answers, so no test
// ever waits in a modal chooser. Every question may be cancelled: nothing comes back.
class Choosers {
public:
    virtual ~Choosers() = default;
    virtual std::optional<std::string> OpenFile(QWidget* parent, const FileChoice& choice) = 0;
    virtual std::optional<std::string> SaveFile(QWidget* parent, const FileChoice& choice) = 0;
    // An existing folder, starting in start.
    virtual std::optional<std::string> Folder(QWidget* parent, std::string_view title,
                                              std::string_view start) = 0;
    virtual std::optional<QColor> Colour(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> Font(QWidget* parent, const QFont& initial) = 0;
};
