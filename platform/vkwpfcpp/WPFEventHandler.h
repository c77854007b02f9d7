#pragma once
#include "vkbasis/CString.h"

#include <exception>
#include <functional>

class CWPFRoutedEvent;

// A handler registered on an element. The element raises it through Raise,
// which runs the handler inside the toolkit's exception guard: an exception
// thrown by a handler is logged and shown to the user in an error box, and
// the dialog goes on.
class CWPFEventHandler {
public:
    virtual ~CWPFEventHandler();

    void Raise(CWPFRoutedEvent& event);

    // Runs work inside the guard; false when it threw.
    static bool RunGuarded(const std::function<void()>& work);
    // The description of a caught exception: its type and its message.
    static CString ExceptionFilter(const std::exception_ptr& exception);
    // Reacts to a caught exception: logs the description (ErrorLog1, the
    // file of CWPFApplication::GetErrorLogFile) and shows it with HaltE.
    static void ExceptionReaction(const CString& description);

protected:
    virtual void Dispatch(CWPFRoutedEvent& event) = 0;
};
