# The file dialog of j3pick as a person uses it, keyboard first.
import pytest

from desktop import find, text, walk

DATA = "C:\\J3\\Daten\\"
BRIEFE = DATA + "Briefe\\2024\\"

NAME = ("click", "text", "Dateiname:")
WALKS = {
    "type-ahead opens": (["--dir", BRIEFE], [("key", "R Return")], 0, [BRIEFE + "Recall Schäfer.txt"]),
    "several chosen": (["--multi", "--dir", BRIEFE], [("key", "Home shift+End Return")], 0,
                       [BRIEFE + "Recall Schäfer.txt", BRIEFE + "Überweisung Müller.txt"]),
    "down, up and down": ([], [("double", "table cell", "Briefe\\"), ("double", "table cell", "2024\\"),
                               ("click", "push button", "Nach oben"), ("key", "V Return T Return")], 0,
                          [DATA + "Briefe\\Vorlagen\\Terminerinnerung.txt"]),
    "folder path typed": ([], [("click", "text", "Suchen in:"), ("key", "ctrl+a"), ("type", "qa\\Hygiene"),
                               ("key", "Return"), ("double", "table cell", "Sterilisation.LOG")], 0,
                          ["C:\\J3\\QA\\Hygiene\\Sterilisation.LOG"]),
    "saved under a typed name": (["--save", "--dir", BRIEFE], [NAME, ("type", "Antwort.txt"), ("key", "Return")], 0,
                                 [BRIEFE + "Antwort.txt"]),
    "refused name, then cancelled": (["--save"], [NAME, ("type", "a<b.txt"), ("key", "Return"),
                                                  ("see", "label", 'Der angegebene Dateiname "a<b.txt" ist ungültig!'),
                                                  ("key", "Return"), ("key", "Escape")], 1, []),
    "cancelled": ([], [("key", "Escape")], 1, []),
}


# Every walk at 100 %, those over the list and the boxes at 200 % too.
SCALED = [pytest.param(*walk, scale, id=f"{name}-{scale * 100}%") for name, walk in WALKS.items()
          for scale in ([1, 2] if name in ("several chosen", "folder path typed", "refused name, then cancelled")
                        else [1])]


@pytest.mark.parametrize("args, steps, code, chosen, scale", SCALED)
def test_person_walks_the_file_dialog(desktop, start, args, steps, code, chosen):
    pick = start("j3pick", "--up", "--down", *args)
    find(pick.window(), "tree")
    walk(desktop, pick, steps)
    assert pick.finish()[:2] == (code, "".join(path + "\n" for path in chosen))
