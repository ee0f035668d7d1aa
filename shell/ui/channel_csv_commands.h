#pragma once
// File › Import Channels… and Export Channels…: a channel list from a CSV
// file into the channel table, and the channel table out to a CSV file, in
// the program's own form or the common exchange layout.

#include "image/language.h"

class CVelView;

namespace velui {

class CMainFrame;
class CVelDoc;

/// Installs the two commands' handlers on `frame`. Import shows what it
/// would do (CImportChannelsDlg) and on Apply replaces the document's image
/// with the imported table stored into it, then refills the view, as a
/// completed read does; the unsaved-changes question then protects it.
/// Export writes the table as the view shows it, the open cell included.
void InstallChannelCsvCommands(CMainFrame& frame, CVelView& view, CVelDoc& doc, vel::Lang lang);

}  // namespace velui
