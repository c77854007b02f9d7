# The favourites tab on the desk of j3praxis: the search, starting programs,
# and the user's favourites as stored when the desk closes.
import pytest

from desktop import extents, find, states, text, walk

ALLE = ("click", "page tab", "Alle")
SEARCH = ("click", "text", "Programm suchen:")
OK = ("click", "push button", "OK")


@pytest.mark.parametrize("scale", [1, 2])
def test_search_keeps_what_is_typed_and_return_starts_the_program(desktop, start, scale):
    desk = start("j3praxis", "--programme")
    walk(desktop, desk, [ALLE, SEARCH])
    size = extents(desk.window())[2:]
    walk(desktop, desk, [("type", "term")])
    box = find(desk, "text", "Programm suchen:")
    assert (text(box), "focused" in states(box), extents(desk.window())[2:]) == ("term", True, size)
    walk(desktop, desk, [("key", "Return"), ("see", "label", "Gestartet: Terminbuch"), OK])
    assert desk.finish()[0] == 0


STARTS = {
    "tile of a category": ([("click", "page tab", "Patienten"), ("click", "push button", "Recall")], "Recall"),
    "tree by double click": ([ALLE, ("click", "table cell", "Verwaltung"), ("key", "Right"),
                              ("double", "table cell", "Statistik")],
                             "Statistik"),
    "result by double click": ([ALLE, SEARCH, ("type", "labor"), ("double", "table cell", "Eigenlabor")], "Eigenlabor"),
    "result by keyboard": ([ALLE, SEARCH, ("type", "recall"), ("key", "Down Return")], "Recall"),
}


@pytest.mark.parametrize("steps, program", STARTS.values(), ids=STARTS.keys())
def test_programs_start_by_mouse_and_keyboard(desktop, start, steps, program):
    desk = start("j3praxis", "--programme")
    walk(desktop, desk, [("maximise",), *steps, ("see", "label", "Gestartet: " + program)])


def test_favourites_are_moved_removed_and_added_in_the_stored_record(desktop, start, practice):
    desk = start("j3praxis", "--programme")
    walk(desktop, desk, [("maximise",), ("drag", "push button", "Röntgen <Bilder> & Befunde",
                                         "push button", "Patientenkartei"),
                         ("corner", "push button", "Patientenkartei"), ("see", "label", "'Patientenkartei' aus den Favoriten entfernen?"),
                         ("click", "push button", "Ja"), ("corner", "push button", "Terminbuch"),
                         ("see", "label", "'Terminbuch' aus den Favoriten entfernen?"), ("click", "push button", "Nein"),
                         ALLE, ("click", "table cell", "Verwaltung"), ("key", "Right"), ("click", "table cell", "Statistik"),
                         ("key", "Insert"), ("see", "push button", "Statistik"), ALLE, ("key", "Insert"),
                         ("see", "label", "'Statistik' ist bereits in den Favoriten enthalten."), ("key", "Return"), OK])
    assert desk.finish()[0] == 0
    assert practice.sql("select cast(wert as text) from parpool where cast(kuerzel as text) = 'favoriten1'") \
        == "501|103|201|301|401|"
