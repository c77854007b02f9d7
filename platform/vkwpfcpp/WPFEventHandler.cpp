#include "vkwpfcpp/WPFEventHandler.h"

#include "msgbox/Boxes.h"
#include "vkgui/ErrorLog.h"
#include "vkwpfcpp/WPFApplication.h"
#include "winpath/AnsiLiteral.h"

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

CWPFEventHandler::~CWPFEventHandler() = default;

void CWPFEventHandler::Raise(CWPFRoutedEvent& event)
{
    RunGuarded([&] { Dispatch(event); });
}

bool CWPFEventHandler::RunGuarded(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (...) {
        ExceptionReaction(ExceptionFilter(std::current_exception()));
        return false;
    }
}

CString CWPFEventHandler::ExceptionFilter(const std::exception_ptr& exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        // The readable name of the exception's class, as the log reader wants it.
        int status = 0;
        std::unique_ptr<char, decltype(&std::free)> readable(
            abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status), &std::free);
        CString description(status == 0 && readable ? readable.get() : typeid(e).name());
        description += ": ";
        description += e.what();
        return description;
    } catch (...) {
        return CString("Unbekannte Ausnahme");
    }
}

void CWPFEventHandler::ExceptionReaction(const CString& description)
{
    ErrorLog1(CWPFApplication::GetErrorLogFile(), ("Ausnahme in einer Ereignisbehandlung: " + description).GetString());
    HaltE("Programmfehler",
          "Bei der Bearbeitung ist ein Fehler aufgetreten:\n" + description +
              "\n\nDer Fehler wurde protokolliert. Sie können weiterarbeiten."_ansi,
          QApplication::activeModalWidget());
}
