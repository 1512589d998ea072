// The conversion run of the conversion dialogs and of Convert NC.
#include "app/core/RunConversionTable.h"

#include "app/core/AppMessages.h"
#include "app/core/ApplyReplaceTable.h"
#include "app/core/CTessmarkDoc.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReplaceInfo.h"

int RunConversionTable(CTessmarkDoc& document, std::string_view tableName, const NcAppContext& ctx,
                       const std::function<void()>& updateViews) {
    CNcReplaceInfo table(ctx);
    if (!table.ReadTable(tableName)) return 0;
    auto message = [&](const std::string& text) {
        if (ctx.Prompt)
            ctx.Prompt->Message(text, platform::PromptIcon::None, platform::PromptButtons::Ok);
    };
    if (!ApplyReplaceTable(document.Lines, table)) {
        message(AppMessage(kMsgNothingConverted));
        return 0;
    }
    std::string name = table.CurrentFile;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    message(FillMessage(AppMessage(kMsgConvertedBy), {name}));
    document.SetModifiedFlag(true);
    document.RebuildElements();
    if (updateViews) updateViews();
    // The editor's change records refer to the text before the conversion.
    document.LinesChangedOutsideEditor();
    return 1;
}
