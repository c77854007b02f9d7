#pragma once
#include <functional>

class QWidget;

namespace msgboxtest {

// Acts on the next modal window once it is shown, as a person at the screen
// would: the box under test runs its own event loop, so the action is queued
// before the box is called. Fails the test when no modal window appears.
void ActOnNextModal(std::function<void(QWidget*)> act);

// Clicks the push button of the window whose text is buttonText; fails the
// test when there is none.
void ClickButton(QWidget* window, const char* buttonText);

} // namespace msgboxtest
