#pragma once
#include "vkwpfcpp/WPFEventHandler.h"

// A handler for events of class Event; the elements' DoAddOn... operations
// take the handler type of the event they raise, so a handler for the wrong
// event class does not compile.
template <typename Event> class CWPFEventHandlerOf : public CWPFEventHandler {
};
