# The desk of j3praxis and its dialogs as a person uses them; what they
# changed is read from the practice database after the desk closed.
import pytest

from desktop import descendants, extents, find, walk

OK = ("click", "push button", "OK")
MARKERS = "select rtrim(substr(cast(indexmarker as text), 23, 25)) from pat where trim(patnr) = '{}'"
NOTE = "select count(*) from files where cast(content as text) = 'Rollstuhl bereit'"

WALKS = {
    "number, markers and a note": ([], [("type", "4"), ("key", "Tab"), ("see", "label", "Weiß, Jürgen"),
                                        ("click", "check box", "2 Allergie"), ("click", "check box", "5 Implantat"),
                                        ("click", "push button", "Neue eInfo"), ("type", "Rollstuhl bereit"), OK],
                                   {MARKERS.format(4): "11     11", NOTE: "1"}),
    "name into the patient choice": ([], [("type", "oz"), ("key", "Tab"), ("see", "dialog", "Patientenwahl"),
                                          ("key", "Return"), ("see", "label", "Öztürk, Elif"),
                                          ("click", "check box", "1 Recall"), OK], {MARKERS.format(3): "1"}),
    "marker configured": ([], [("click", "push button", "Karteireiter konfigurieren …"),
                               ("see", "dialog", "Karteireiter konfigurieren"), ("key", " ".join(["Tab"] * 7)), ("key", "ctrl+a"),
                               ("type", "Angstpatient"), OK,
                               ("see", "label", "Die Karteireiter wurden gespeichert.*"), ("key", "Return"), OK],
                          {"select cast(wert as text) from parpool where cast(kuerzel as text) = 'indexmrk02'":
                           "Angstpatient|Angstpatient, mehr Zeit einplanen"}),
    # The list is counted as it scrolls: typing and End reach past the rows counted.
    "far rows by keyboard": ([], [("click", "table cell", "Weiß"), ("type", "vog"), ("see", "label", "Vogel, Andreas"),
                                  ("key", "End"), ("see", "label", "Braun, Dieter"), OK], {}),
    "duplicate shown": (["--pat", "1"], [("click", "push button", "Patienten zusammenführen …"),
                                         ("see", "dialog", "Patienten zusammenführen"), ("tick", "table cell", "       901"),
                                         ("click", "push button", "Anzeigen"), ("see", "label", "Müller, hans"), OK],
                        {"select count(*) from pat where trim(patnr) in ('900', '901')": "2"}),
}


@pytest.mark.parametrize("args, steps, stored", WALKS.values(), ids=WALKS.keys())
def test_person_walks_the_desk(desktop, start, practice, args, steps, stored):
    desk = start("j3praxis", *args)
    desk.window("Praxis")
    walk(desktop, desk, steps)
    assert desk.finish()[0] == 0
    assert {query: practice.sql(query) for query in stored} == stored


def test_person_merges_a_duplicate_with_notes_markers_and_emoji(desktop, start, practice):
    """Patient 1 goes into his duplicate 900, who has a note and a marker from the desk and two emoji of his own:
    nothing of either is lost, and the emoji that find no place are named."""
    practice.sql("update pat set emoji1 = cast('U+1F9B7' as blob), emoji2 = cast('U+1F4A4' as blob)"
                 " where trim(patnr) = '900'")
    desk = start("j3praxis", "--pat", "900")
    desk.window("Praxis")
    walk(desktop, desk, [("click", "check box", "4 Kind"), ("click", "push button", "Neue eInfo"),
                         ("type", "Zahnarztangst"), ("click", "push button", "Patienten zusammenführen …"),
                         ("see", "dialog", "Patienten zusammenführen"), ("tick", "table cell", "         1"), OK,
                         ("see", "label", "Soll die Zusammenführung nun gestartet werden?"),
                         ("click", "push button", "Ja"),
                         ("see", "label", "Zusammenführung erfolgreich durchgeführt.\nBeide Emoji-Plätze sind belegt; "
                                          "nicht übernommen:\nU+2605 von Patient 1\nU+26A0 von Patient 1"),
                         ("key", "Return"), ("see", "dialog", "Praxis"), OK])
    assert desk.finish()[0] == 0
    notes = "select group_concat(substr(cast(content as text), 1, 6), '|') from (select content from files" \
            " where cast(path as text) like '%PraxisDesk.900.%' order by path)"
    assert [practice.sql(query) for query in (MARKERS.format(900), notes, "select count(*) from pat where trim(patnr) = '1'")] \
        == ["1 11 11", "Zahnar|Penici|Recall", "0"]


ALL_MARKERS = ("update pat set indexmarker = printf('%22s', '') || '1111111111111111111111111', "
               "emoji1 = replace(hex(zeroblob(65536)), '0', 'E') where trim(patnr) = '1'; "
               "update parpool set wert = replace(hex(zeroblob(65536)), '0', 'K') || '|Tipp' "
               "where cast(kuerzel as text) = 'indexmrk00'")


@pytest.mark.parametrize("scale", [1, 2])
def test_a_patient_with_all_25_markers_sees_every_one_on_screen(desktop, start, practice, scale):
    """Each marker a button of the strip, named by its text (or number), in sight; 128 KB texts shown cut."""
    practice.sql(ALL_MARKERS)
    stored = {key: bytes.fromhex(value).decode("cp1252") for key, value in (row.split("|") for row in practice.sql(
        "select cast(kuerzel as text), hex(wert) from parpool where cast(kuerzel as text) like 'indexmrk%'").split())}
    names = ["K" * 299 + "…"] + [stored.get(f"indexmrk{i:02d}", "").split("|")[0] or f"Karteireiter {i + 1}"
                                 for i in range(1, 25)]
    desk = start("j3praxis", "--pat", "1")
    walk(desktop, desk, [("see", "label", "E" * 15 + "…*")])
    tabs = list(descendants(find(desk, "filler", "Karteireiter")))
    assert [(tab.getRoleName(), tab.name) for tab in tabs] == [("push button", name) for name in names]
    x, y, width, height = extents(desk.window(), scale)
    # Inside the window, and on the screen; at 200 % the desk's card and list need more than a full-HD screen.
    right, bottom = (x + width, y + height) if scale > 1 else (min(x + width, 1920), min(y + height, 1080))
    for tab in tabs:
        left, top, w, h = extents(tab, scale)
        assert max(x, 0) <= left and left + w <= right and max(y, 0) <= top and top + h <= bottom, tab.name
