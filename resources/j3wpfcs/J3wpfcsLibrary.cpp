#include "j3wpfcs/J3wpfcsLibrary.h"

QString CJ3wpfcsLibrary::ResourceRoot()
{
    return QStringLiteral(":/j3wpfcs");
}
