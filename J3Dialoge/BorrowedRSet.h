#pragma once
#include "vkdb/AutoRSet.h"

#include <memory>

// A record object lent by CAutoRSet that goes back on every path.
template <class T> struct SRSetReturn {
    void operator()(T* set) const { CAutoRSet<T>::ReleaseRSet(set); }
};
template <class T> using BorrowedRSet = std::unique_ptr<T, SRSetReturn<T>>;

// openType 1 for reading only, 0 when writes follow.
template <class T> BorrowedRSet<T> BorrowRSet(int openType)
{
    return BorrowedRSet<T>(CAutoRSet<T>::GetRSet(openType, false));
}
