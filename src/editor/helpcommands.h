#pragma once

namespace mrv {

class UpdateFlow;
struct EditorContext;

/// Connects the Help menu (about, check for updates) to the update flow, enables both entries
/// and arms the one-shot update check after launch. The flow lives as long as the editor.
UpdateFlow &InstallHelpCommands(const EditorContext &context);

} // namespace mrv
