#pragma once
// Entry points of the settings and signalling dialogs of the full
// application (Velmar_V). Each builds its dialog on the stack, runs it
// modally and works on the image it is given (the active document's); none
// marks the document as modified. On an image smaller than the full
// application's 4096 bytes (or a row outside 1-128) nothing opens.
//
//  - RunOptionalFeaturesDialog: command 32784, "&Optional Features\tCtrl+O"
//    (menu Program). Opens "Optional Features"; OK writes the radio-wide
//    settings into the image, Cancel leaves every byte alone. Returns the
//    dialog's result (QDialog::Accepted or QDialog::Rejected); the command
//    handler need not look at it. The texts come from the installed
//    translator; `lang` is accepted for symmetry with the other entries.
//
//  - RunSettingsDialog: a family's settings dialog shown through its model
//    (settings/settings_dialog_model.h), such as the Optional Features
//    dialog of VM_CH128 and VM_CH118 (command 32784). OK stores what the
//    user changed, exactly as `velprog options set` would; Cancel leaves
//    every byte alone. Nothing opens (QDialog::Rejected) when the family has
//    no window for dialog `key` or the image is not the family's size.
//
//  - RunTwoToneDialog: command 32786, "Two Tone\tCtrl+Y" (accelerator
//    Ctrl+Y). Opens "Tow Tone" with the Encode and Decode tabs; every page
//    stores into the image when it is hidden and when the dialog closes
//    (there is no Cancel). `lang` is the interface language (English exactly
//    when the language base name is the program's name followed by "_EN"),
//    which chooses the tab captions and the encode grid's headers;
//    `englishLanguageBase` is true when the language base name is exactly
//    "english", which alone shows "Please input Number" in English.
//
//  - RunChannelEditDialog: the view's double-click hook
//    (CVelView::setChannelDialogHandler), called after the view stored its
//    table into the image. Opens "Channel Edit" on channel `row` (1-128);
//    the dialog asks `table` to store and refill the channel table around
//    every change of type or channel, and stores the Call and Decode choices
//    when it closes or steps to another channel.
//
// Wiring in the main window, for example:
//   frame->setHandler(ID_OPTIONAL_FEATURES, [=] {
//       velui::RunOptionalFeaturesDialog(frame, doc->image(), app->displayLang()); });
//   frame->setHandler(ID_TWO_TONE, [=] {
//       velui::RunTwoToneDialog(frame, doc->image(), app->displayLang(),
//                               app->languageBaseName() == "english"); });
//   velui::ChannelTableCallbacks table{[=] { view->storeChannelGrid(); }, [=] { view->fillChannelGrid(); }};
//   view->setChannelDialogHandler([=](int row) mutable {
//       velui::RunChannelEditDialog(frame, doc->image(), row, table); });

#include <functional>
#include <string>

#include "image/family.h"
#include "image/image.h"
#include "image/language.h"
#include "signalling/ui/channel_edit_dlg.h"

class QWidget;

namespace velui {

int RunOptionalFeaturesDialog(QWidget* parent, vel::Image& image, vel::Lang lang);

int RunSettingsDialog(QWidget* parent, const vel::Family& family, vel::Image& image, vel::Lang lang,
                      const std::string& key);
/// True when `family` shows dialog `key` through RunSettingsDialog.
bool HasSettingsDialog(vel::FamilyId family, const std::string& key);

void RunTwoToneDialog(QWidget* parent, vel::Image& image, vel::Lang lang, bool englishLanguageBase);

void RunChannelEditDialog(QWidget* parent, vel::Image& image, int row, ChannelTableAccess& table);

/// ChannelTableAccess from two functions (an empty one does nothing).
class ChannelTableCallbacks : public ChannelTableAccess {
public:
    ChannelTableCallbacks(std::function<void()> store, std::function<void()> fill)
        : store_(std::move(store)), fill_(std::move(fill)) {}
    void storeChannelTable() override {
        if (store_) store_();
    }
    void fillChannelTable() override {
        if (fill_) fill_();
    }

private:
    std::function<void()> store_;
    std::function<void()> fill_;
};

}  // namespace velui
