#pragma once
#include "vkdb/VKDatabase.h"

#include <memory>
#include <vector>

// Lends shared record objects of class T, so that frequent short lookups do
// not construct a record object each time. GetRSet(1, ...) lends one for
// reading on the read-only connection (forward-only), GetRSet(0, ...) one for
// writing on the read-write connection; when the read-only connection is not
// open, readers get the read-write one. Every borrowed object must go back
// through ReleaseRSet; one that is still out when the next is asked for is
// not shared: a second object is made. keepFields false empties the fields
// and the position before lending. Objects live until the process ends.
// The pool is not locked: the program's interface thread uses it.
template <class T> class CAutoRSet {
public:
    static T* GetRSet(int openType, bool keepFields)
    {
        const bool readOnly = openType == 1;
        CVKDatabase* database = readOnly && dbDatabaseRO.IsOpen() ? &dbDatabaseRO : &dbDatabase;
        auto& idle = IdleSets(readOnly);
        std::unique_ptr<T> set;
        if (idle.empty()) {
            set = std::make_unique<T>(database, nullptr);
        } else {
            set = std::move(idle.back());
            idle.pop_back();
        }
        if (!keepFields)
            set->Clear();
        set->SetForwardOnly(readOnly);
        return set.release();
    }

    static void ReleaseRSet(T* set)
    {
        if (set)
            IdleSets(set->IsForwardOnly()).emplace_back(set);
    }

private:
    static std::vector<std::unique_ptr<T>>& IdleSets(bool readOnly)
    {
        static std::vector<std::unique_ptr<T>> s_readers;
        static std::vector<std::unique_ptr<T>> s_writers;
        return readOnly ? s_readers : s_writers;
    }
};
