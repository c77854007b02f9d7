#pragma once
#include <QString>

// The suite's numbered German texts, for captions and texts that callers give
// as a number instead of a text.
//
//    1 "Fehler"       2 "Hinweis"      3 "Frage"       4 "Achtung"
//    5 "Eingabe"      6 "J3" (the suite's caption for its own boxes)
// 7049 "Die Karteireiter wurden gespeichert. Programme, die schon laufen,
//       zeigen sie nach einem Neustart."
// 7057 "Die Fortschrittsanzeige konnte nicht geöffnet werden."
//
// A number without a text gives "(Text Nr. <number>)", so that a box with a
// missing text still shows which one is missing instead of nothing.
class CStringTable {
public:
    static bool Contains(int number);
    static QString Text(int number);
};
