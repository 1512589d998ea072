// The program's common dialogs for the settings dialogs: Qt's own file, colour and font dialogs.
#pragma once

#include "settings/Choosers.h"

class QtChoosers : public Choosers {
public:
    std::optional<std::string> OpenFile(QWidget* parent, const FileChoice& choice) override;
    std::optional<std::string> SaveFile(QWidget* parent, const FileChoice& choice) override;
    std::optional<std::string> Folder(QWidget* parent, std::string_view title,
                                      std::string_view start) override;
    std::optional<QColor> Colour(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> Font(QWidget* parent, const QFont& initial) override;

    // The one instance the frame hands to the dialogs.
    static QtChoosers& Instance();
};
