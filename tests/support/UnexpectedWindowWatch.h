#pragma once
class QWidget;

namespace j3test {

// Fails the test as soon as a modal dialog or box stays open that no
// DialogDriver plays on, naming its title and text, and closes it: a test
// never waits for a person who is not there.
class UnexpectedWindowWatch {
public:
    // Starts watching in the test program's application; once is enough.
    static void Start();
    // The window a driver plays on is expected while it plays.
    static void Expect(QWidget* window);
    static void Forget(QWidget* window);
};

} // namespace j3test
