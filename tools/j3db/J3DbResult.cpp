#include "j3db/J3DbResult.h"

#include "vkbasis/TerminalText.h"

void CJ3DbResult::Report(std::ostream& err) const
{
    if (IsDone())
        return;
    err << "j3db: " << CTerminalText::Message(m_message) << "\n";
    if (m_exitCode == 2)
        err << "\"j3db --help\" zeigt die Befehle.\n";
}
