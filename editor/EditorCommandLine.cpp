#include "editor/EditorCommandLine.h"

#include <vector>

#include "app/CmdLineAnalysis.h"

namespace {

bool IsSwitch(const Text& arg, const char16_t* name) {
    if (arg.size() < 2 || (arg[0] != u'/' && arg[0] != u'-')) return false;
    return text::UpperAscii(arg.substr(1)) == text::UpperAscii(name);
}

EditorCommand Invalid() {
    EditorCommand command;
    command.kind = EditorCommand::Kind::invalid;
    return command;
}

}  // namespace

EditorCommand ParseEditorCommandLine(const Text& commandLine) {
    const std::vector<Text> args = SplitCommandLine(commandLine);
    EditorCommand command;
    if (args.size() <= 1) return command;
    if (args.size() < 3 || args[2].empty()) return Invalid();
    if (IsSwitch(args[1], u"export") && args.size() == 3) {
        command.kind = EditorCommand::Kind::exportFile;
    } else if (IsSwitch(args[1], u"import") && args.size() == 3) {
        command.kind = EditorCommand::Kind::importFile;
    } else if (IsSwitch(args[1], u"import") && args.size() == 4 && IsSwitch(args[3], u"append")) {
        command.kind = EditorCommand::Kind::importFile;
        command.append = true;
    } else {
        return Invalid();
    }
    command.file = args[2];
    return command;
}
