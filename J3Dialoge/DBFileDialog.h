#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"

// Open/save dialog over the database file store. Being written; the outline
// below names the class so that callers can be built against it.
class CDBFileDialog : public CWPFJ3Dialog {
public:
    CDBFileDialog(int bOpenFileDialog, const char* defaultExtension, const char* fileName,
                  unsigned long flags, const char* filter, QWidget* parent,
                  unsigned long structSize, int vistaStyle);
    ~CDBFileDialog() override;
};
