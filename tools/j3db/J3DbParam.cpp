#include "j3db/J3DbParam.h"

#include "dbdll/JParPool.h"
#include "j3db/J3DbFrame.h"
#include "j3params/J3HostText.h"
#include "vkbasis/TerminalText.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKRSet.h"

#include <charconv>

CJ3DbResult CJ3DbParam::Run(CJ3DbFrame& frame, const Args& args) const
{
    static constexpr SEntry kSubcommands[] = {{"get", 2, 2, &Get}, {"set", 3, 3, &Set}, {"ls", 0, 1, &List}};
    Handler run = nullptr;
    if (CJ3DbResult chosen = Choose(kSubcommands, args, "param", run); !chosen.IsDone())
        return chosen;
    return run(frame, Args(args.begin() + 1, args.end()));
}

CJ3DbResult CJ3DbParam::Get(CJ3DbFrame& frame, const Args& args)
{
    CJParPool record(&dbDatabase, nullptr);
    if (CJ3DbResult numbered = Number(args[0], record.m_strNr); !numbered.IsDone())
        return numbered;
    if (CJ3DbResult opened = frame.OpenDatabase(true); !opened.IsDone())
        return opened;
    record.m_strKey = CJ3HostText::FromHost(args[1]);
    const int found = record.GetByK1(0);
    if (found == CVKRSet::DB_ERROR)
        return CJ3DbFrame::DatabaseFailure();
    if (found != CVKRSet::FOUND)
        return CJ3DbResult::Failed("Den Parameter " + args[0] + " " + args[1] + " gibt es nicht.");
    frame.Out() << CJ3HostText::ToHost(record.m_strValue) << "\n";
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3DbParam::Set(CJ3DbFrame& frame, const Args& args)
{
    CJParPool record(&dbDatabase, nullptr);
    if (CJ3DbResult numbered = Number(args[0], record.m_strNr); !numbered.IsDone())
        return numbered;
    for (const auto& text : {args[1], args[2]}) {
        if (!CJ3HostText::FitsSuite(text))
            return CJ3DbResult::Failed("\"" + text + "\" hat Zeichen außerhalb von Windows-1252; nichts ist geändert.");
    }
    // A key nobody can type or see in a list would hold a value for no one.
    if (args[1].empty() || CTerminalText::Safe(args[1]) != args[1])
        return CJ3DbResult::Failed("Der Schlüssel \"" + args[1] +
                                   "\" ist leer oder enthält Steuerzeichen; nichts ist geändert.");
    if (CJ3DbResult opened = frame.OpenDatabase(false); !opened.IsDone())
        return opened;
    record.m_strKey = CJ3HostText::FromHost(args[1]);
    record.m_strValue = CJ3HostText::FromHost(args[2]);
    return record.WriteValue("") ? CJ3DbResult::Done() : CJ3DbFrame::DatabaseFailure();
}

CJ3DbResult CJ3DbParam::List(CJ3DbFrame& frame, const Args& args)
{
    CString number;
    if (!args.empty())
        if (CJ3DbResult numbered = Number(args[0], number); !numbered.IsDone())
            return numbered;
    if (CJ3DbResult opened = frame.OpenDatabase(true); !opened.IsDone())
        return opened;
    CVKQuery query(dbDatabase, args.empty() ? "SELECT nr, kuerzel, wert FROM parpool ORDER BY nr, kuerzel"
                                            : "SELECT nr, kuerzel, wert FROM parpool WHERE nr = ?1 ORDER BY kuerzel");
    if (!args.empty())
        query.Bind(1, number);
    while (query.Next()) {
        frame.Out() << CJ3HostText::ToTerminal(query.ColumnText(0)) << "\t"
                    << CJ3HostText::ToTerminal(query.ColumnText(1)) << "\t"
                    << CJ3HostText::ToTerminal(query.ColumnText(2)) << "\n";
    }
    return query.Failed() ? CJ3DbFrame::DatabaseFailure() : CJ3DbResult::Done();
}

CJ3DbResult CJ3DbParam::Number(const std::string& argument, CString& number)
{
    int value = -1;
    const auto [end, ec] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
    if (ec != std::errc() || end != argument.data() + argument.size() || value < 0 || value > 999)
        return CJ3DbResult::Failed("Die Parameternummer ist eine Zahl von 0 bis 999, nicht \"" + argument + "\".");
    number.Format("%3d", value);
    return CJ3DbResult::Done();
}
