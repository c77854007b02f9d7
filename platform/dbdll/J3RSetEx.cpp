#include "dbdll/J3RSetEx.h"

#include "vkdb/VKDatabase.h"
#include "vkdb/VKRSet.h"

bool CJ3RSetEx::TriggerSelectRead(const CVKRSet* recordSet, bool forUpdate)
{
    if (!recordSet)
        return false;
    if (forUpdate && (recordSet->IsForwardOnly() || recordSet->GetDatabase()->IsReadOnly()))
        return false;
    return recordSet->IsRecordPresent();
}
