#pragma once

// Run-time class information of the application framework: a class's name and
// its base, without dynamic creation.
struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* current = this; current; current = current->m_pBaseClass)
            if (current == base)
                return true;
        return false;
    }
};
