#!/usr/bin/python3
"""Acceptance checks of the built editor, driven from outside as a user would drive it.

The program runs under Xvfb; this script reads it through the accessibility bus and acts
through menus, buttons, keys and the real file dialogs, using the folio-ui harness.
It prints PASS or FAIL for each check and finishes with "N passed, M failed".

    /usr/bin/python3 tests/acceptance/check.py [--binary PATH] [--shots DIR]

See README.md in this folder.
"""
import argparse
import atexit
import os
import re
import shutil
import sys
import tempfile
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
ap.add_argument("--binary", default=os.path.join(REPO, "build", "qa", "app", "tagwright-folio"))
ap.add_argument("--harness", default=os.environ.get("FOLIO_UI_DIR", "/work/shared/tools/folio-ui"))
ap.add_argument("--display", default=":118", help="X display for the private Xvfb (default :118)")
ap.add_argument("--shots", default=None, help="folder for screenshots (default: a temporary folder)")
ap.add_argument("-k", dest="only", default=None, help="run only the checks whose name contains this")
ap.add_argument("-v", "--verbose", action="store_true", help="print the traceback of failures")
args = ap.parse_args()

sys.path.insert(0, args.harness)
import folio_ui as ui  # noqa: E402

INTRO = "Version = 1 - 5 - 2"
MAIN = "Tagwright Folio :  "
ABOUT = "About  Tagwright Folio"
APP_TITLE = "Tagwright Folio"
EXIT_QUESTION = "Some modules are still open. Do you really wnat to quit this application ?"
REFUSAL = "This activity is not allowed for this instance !"

# The menu table: caption, then the entries below it ("-" is a separator).
MENU_TABLE = [
    ("&File", ["&Open an Existing File", "Create a &New File", "Open a New &Blank File",
               "&Close Active File", "E&xit"]),
    ("&Edit", ["&Copy", "Cu&t", "&Paste", "-", "Insert Ta&b Keystroke", "Insert &Date and Time", "-",
               "Make &Uppercase", "Make &Lowercase", "Hide Fi&nd Dialogue", "Set &Font", "Set C&olour"]),
    ("&HTML Tags", ["Warning", "Line B&reak <br>", "Insert a Blank Spa&ce", "Insert &Hyperlink",
                    "Insert I&mage Tag", "<&b> Your Text </b>", "<&u> Your Text </u>", "<&i> Your Text </i>",
                    "<&font> Your Text </font>",
                    ("&Align", ["align = &left", "align = &center", "align = &right", "valign = &top",
                                "valign = &middle", "align = &bottom", "<&center> Your Text </center>"]),
                    ("&List", ["<&ol> Your Text </ol>", "<&ul> Your Text </ul>", "<l&i> Your Text </li>"]),
                    ("&Table", ["<&table> Your Text </table>", "<t&r> Your Text </t&r>", "<t&d> Your Text </td>"]),
                    "<&p> Your Text </p>", "<&div> Your Text </div>"]),
    ("&Window", ["Casca&de", "Arrange &Icons"]),
    ("&Application", ["&Help", "Tutorial on &HTML Tags", "Tutorial on &CD Autorun.inf File", "Colour &Picker",
                      "Open &MyShades.csv", "A&bout  Tagwright Folio"]),
]

# Widgets a user can reach by keyboard or mouse, which a screen reader announces by name.
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "combo box", "list",
               "scroll bar", "slider", "spin button", "menu item", "page tab", "table", "tree"}


def accessible(caption):
    """A menu caption as Qt reads it out: the first access-key marker dropped."""
    i = caption.find("&")
    return caption if i < 0 else caption[:i] + caption[i + 1:]


# ---------------------------------------------------------------------------------------
# running the checks
# ---------------------------------------------------------------------------------------
results = []


def check(name):
    def run(fn):
        if args.only and args.only not in name:
            return fn
        started = time.monotonic()
        try:
            note = fn()
            results.append((name, True, note or ""))
            print("PASS  %s%s" % (name, "  (%s)" % note if note else ""), flush=True)
        except Exception as exc:  # every failure of one check is reported, the next one runs
            results.append((name, False, str(exc)))
            print("FAIL  %s: %s" % (name, exc), flush=True)
            if args.verbose:
                traceback.print_exc()
        finally:
            if time.monotonic() - started > 60:
                print("      (slow: %.0f s)" % (time.monotonic() - started))
        return fn
    return run


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def expect_eq(actual, wanted, what):
    if actual != wanted:
        raise AssertionError("%s: got %r, wanted %r" % (what, actual, wanted))


work = tempfile.mkdtemp(prefix="folio-accept-")
shots = args.shots or os.path.join(work, "shots")
files = os.path.join(work, "files")
os.makedirs(shots, exist_ok=True)
os.makedirs(files, exist_ok=True)
session = ui.Session(display=args.display, workdir=os.path.join(work, "ui")).start()
app = None


@atexit.register
def stop_everything():
    if app is not None and app.running():
        app.terminate()
    session.stop()


def start_program():
    """A fresh run of the program, stopped at the intro window."""
    global app
    if app is not None and app.running():
        app.terminate()
    app = session.launch([args.binary], cwd=files)
    app.wait_window(INTRO)
    return app


def proceed():
    """A fresh run past the intro window; returns the main window."""
    start_program()
    app.keys("Return", window=INTRO)
    return app.wait_window(MAIN)


def children(main):
    return [c.title for c in app.mdi_children(main)]


def active_title(main):
    c = app.active_mdi_child(main)
    return c.title if c else None


def new_blank_document(main):
    count = len(children(main))
    app.activate_menu(main, ["&File", "Open a New &Blank File"])
    ui.wait_until(lambda: len(children(main)) == count + 1 and active_title(main) == "Untitled", 5,
                  what="a new blank document")
    child = app.active_mdi_child(main).node
    return child, child.find(role="text", name="Document text")


def type_into(main, text_node, text):
    before = text_node.text
    app.type_text(text, window=main)
    ui.wait_until(lambda: text_node.text == before + text, 5, what="the typed text")


def activate_child(main, title):
    app.activate_menu(main, ["&Window", re.compile(r"^\d+ " + re.escape(title) + "$")], refresh=True)
    ui.wait_until(lambda: active_title(main) == title, 5, what="%r active" % title)


def file_dialog(title, path, tick_read_only=False):
    """Fills the real Qt file dialog the way a user does: types the name, presses Enter."""
    dialog = app.wait_dialog(title, timeout=5)
    if tick_read_only:
        box = dialog.node.find(role="check box", name="Open as read-only")
        box.click()
        ui.wait_until(lambda: box.checked, 3, what="the read-only box ticked")
    name = dialog.node.find(role="text", label="File name:")
    name.set_focus()
    app.type_text(path, window=dialog.node)
    ui.wait_until(lambda: name.text == path, 5, what="the typed file name")
    app.keys("Return", window=dialog.node)
    app.wait_window_gone(dialog.node, 5)


def message(title=None, timeout=5):
    return app.wait_message_box(title, timeout=timeout)


def labels(node):
    return [n.name for n in node.find_all(role="label")]


# ---------------------------------------------------------------------------------------
# start-up and closing
# ---------------------------------------------------------------------------------------
@check("intro window captioned with the version, Proceed focused")
def _():
    start_program()
    intro = app.window(INTRO)
    focused = ui.wait_until(app.focused, 5, what="a focused control")
    expect(focused is not None and focused.role == "push button" and focused.name == "Proceed",
           "focused control is %r" % (focused,))
    app.screenshot(os.path.join(shots, "intro.png"))
    expect("Tagwright  Folio" in labels(intro), "the product name label is missing")


@check("Enter opens the main window with the About window active and the start-up menu states")
def _():
    app.keys("Return", window=INTRO)
    main = app.wait_window(MAIN)
    expect_eq(active_title(main), ABOUT, "active child")
    expect(not app.menu_item(main, ["&HTML Tags"]).enabled, "HTML Tags is enabled")
    expect(not app.menu_item(main, ["&Application", "A&bout  Tagwright Folio"]).enabled, "About entry enabled")
    tutorial = app.menus(main, open_menus=True)[4].item("Tutorial on HTML Tags")
    expect(not tutorial.visible, "Tutorial on HTML Tags is visible")


@check("Exit asks the closing question; No keeps every window")
def _():
    main = app.window(MAIN)
    app.activate_menu(main, ["&File", "E&xit"])
    box = message("Please confirm")
    expect_eq(box.text, EXIT_QUESTION, "question")
    expect_eq(box.buttons, ["Yes", "No"], "buttons")
    expect_eq(box.default_button, "No", "default button")
    box.press("No")
    time.sleep(0.3)
    expect(app.running(), "the program ended")
    expect_eq(children(main), [ABOUT], "child windows")


@check("Exit, Yes ends the program")
def _():
    main = app.window(MAIN)
    app.activate_menu(main, ["&File", "E&xit"])
    message("Please confirm").press("Yes")
    expect_eq(app.wait_exit(10), 0, "exit code")


@check("closing the About window first lets Exit end the program without a question")
def _():
    main = proceed()
    app.activate_menu(main, ["&File", "&Close Active File"])
    ui.wait_until(lambda: not children(main), 5, what="no child window")
    app.activate_menu(main, ["&File", "E&xit"])
    expect_eq(app.wait_exit(10), 0, "exit code")


# ---------------------------------------------------------------------------------------
# menus and accessible names
# ---------------------------------------------------------------------------------------
@check("every menu caption of the table with its nesting")
def _():
    main = proceed()
    read = app.menus(main, open_menus=True)

    def compare(entries, table, where):
        names = [("-" if e.separator else e.name) for e in entries]
        wanted = [accessible(t if isinstance(t, str) else t[0]) if t != "-" else "-" for t in table]
        expect_eq(names[:len(wanted)], wanted, "entries of %s" % where)
        for entry, row in zip(entries, table):
            if isinstance(row, tuple):
                compare(entry.items, row[1], row[0])
    compare(read, [t for t in MENU_TABLE], "the menu bar")


def nameless_controls(node, where):
    found = []
    for n in node.walk(include_self=True):
        try:
            if n.role not in NAMED_ROLES or "enabled" not in n.states:
                continue
            if n.role == "scroll bar" and any(a.role == "text" for a in n.ancestors()):
                continue  # a text box's own scroll bars: mouse only, read with the box
            name = n.name
            if n.role == "menu item":
                # Qt drops only the first access-key marker of a menu caption; the second one
                # of "<t&r> Your Text </t&r>" cannot be taken out from inside the program.
                name = name.replace("</t&r>", "</tr>")
            if not name.strip() or "&" in name.replace("&nbsp;", ""):
                found.append("%s: %s %r" % (where, n.role, n.name))
        except ui.UiError:
            continue
    return found


@check("every control a user can reach has an accessible name")
def _():
    main = app.window(MAIN)
    nameless = nameless_controls(main.find(role="menu bar"), "menu")
    nameless += nameless_controls(app.mdi_child(main, ABOUT).node, "About")
    child, _text = new_blank_document(main)
    nameless += nameless_controls(child, "document")
    for entry in ["Colour &Picker", "Tutorial on &CD Autorun.inf File"]:
        app.activate_menu(main, ["&Application", entry])
        ui.wait_until(lambda: len(children(main)) > 0 and active_title(main) not in (ABOUT, "Untitled"), 5)
        nameless += nameless_controls(app.active_mdi_child(main).node, active_title(main))
    expect(not nameless, "; ".join(nameless))
    texts = {t: app.mdi_child(main, t).node.find(role="text").name
             for t in [ABOUT, "Tutorial on Autorun.inf File"]}
    expect_eq(texts[ABOUT], "About Tagwright Folio", "About text box")
    expect_eq(texts["Tutorial on Autorun.inf File"], "Tutorial on Autorun.inf files", "tutorial text box")
    colour = app.mdi_child(main, "RGB and ASCII Functions").node
    for role, names in [("scroll bar", ["Red", "Green", "Blue"]),
                        ("text", ["Lookup input", "Loop input", "Red colour", "Green colour", "Blue colour",
                                  "Mixed colour"])]:
        for n in names:
            colour.find(role=role, name=n)
    for n in ["Find text", "Replacement text"]:
        child.find(role="combo box", name=n)


# ---------------------------------------------------------------------------------------
# documents
# ---------------------------------------------------------------------------------------
@check("new document, Save As a new name, No (append) creates the file")
def _():
    main = proceed()
    _child, text = new_blank_document(main)
    type_into(main, text, "hello world")
    app.screenshot(os.path.join(shots, "document.png"))
    app.active_mdi_child(main).node.find(role="push button", name="Save As").press()
    path = os.path.join(files, "first.txt")
    file_dialog("Save this file as", path)
    box = message("Please Confirm Your Choice")
    expect_eq(box.buttons, ["Yes", "No", "Cancel"], "buttons")
    expect_eq(box.default_button, "No", "default")
    box.press("No")
    ui.wait_until(lambda: active_title(main) == "This file name : " + path, 5, what="the new caption")
    with open(path, "rb") as fh:
        expect_eq(fh.read(), b"hello world\r\n", "bytes written")


@check("Save As an existing name: only the program's own question, never one from the file dialog")
def _():
    main = app.window(MAIN)
    path = os.path.join(files, "first.txt")
    app.active_mdi_child(main).node.find(role="push button", name="Save As").press()
    file_dialog("Save this file as", path)
    box = message()
    expect_eq(box.title, "Please Confirm Your Choice", "the question after the dialog")
    box.press("Yes")
    with open(path, "rb") as fh:
        expect_eq(fh.read(), b"hello world\r\n", "bytes after overwrite")


@check("reopen (read-only box ticked) shows the empty first line; Save is unavailable")
def _():
    main = app.window(MAIN)
    path = os.path.join(files, "first.txt")
    app.activate_menu(main, ["&File", "&Open an Existing File"])
    file_dialog("Open a file", path, tick_read_only=True)
    ui.wait_until(lambda: active_title(main) == path, 5, what="the opened file")
    child = app.active_mdi_child(main).node
    expect_eq(child.find(role="text", name="Document text").text, "\nhello world", "text")
    expect(not child.find(role="push button", name="Save").enabled, "Save is enabled for a read-only file")


@check("closing after a change asks the question; Enter (Cancel) keeps the window")
def _():
    main = app.window(MAIN)
    path = os.path.join(files, "first.txt")
    child = app.active_mdi_child(main).node
    text = child.find(role="text", name="Document text")
    text.set_focus()
    app.keys("ctrl+End", window=main)
    type_into(main, text, "!")
    child.find(role="push button", name="Close").press()
    box = message("Text is changed !")
    expect_eq(box.text, "Do you want to save this file ?", "question")
    expect_eq(box.default_button, "Cancel", "default")
    app.keys("Return", window=box.node)
    app.wait_window_gone(box.node, 5)
    time.sleep(0.3)
    expect(path in children(main), "the window closed")


# ---------------------------------------------------------------------------------------
# tag commands
# ---------------------------------------------------------------------------------------
@check("<b> wraps the selected word, caret behind; Line Break replaces the selection")
def _():
    main = app.window(MAIN)
    _child, text = new_blank_document(main)
    type_into(main, text, "word")
    text.select(0, 4)
    app.activate_menu(main, ["&HTML Tags", "<&b> Your Text </b>"])
    ui.wait_until(lambda: text.text != "word", 3, what="the bold tags")
    expect_eq(text.text, "<b> word </b>", "text")
    expect_eq(text.caret, len("<b> word </b>"), "caret")
    expect_eq(text.selections, [], "selection")
    text.set_text("one word two")
    text.select(4, 8)
    app.activate_menu(main, ["&HTML Tags", "Line B&reak <br>"])
    ui.wait_until(lambda: "<br>" in text.text, 3, what="the line break tag")
    expect_eq(text.text, "one <br> two", "text")


def tag_entries(entries, path=()):
    for e in entries:
        if e.separator or not e.name:
            continue
        if e.items:
            yield from tag_entries(e.items, path + (e.name,))
        elif e.name not in ("Warning", "Insert Hyperlink", "Insert Image Tag"):
            yield path + (e.name,)


@check("with the About window active every tag command shows the refusal")
def _():
    main = app.window(MAIN)
    activate_child(main, ABOUT)
    about_text = app.mdi_child(main, ABOUT).node.find(role="text")
    before = about_text.text
    html = [e for e in app.menus(main, open_menus=True) if e.name == "HTML Tags"][0]
    wrong = []
    for path in tag_entries(html.items):
        # The menu itself is greyed out here; its entries are pressed directly.
        app.menu_item(main, ["&HTML Tags"] + list(path)).do("Press", require_enabled=False)
        try:
            box = message(APP_TITLE, timeout=1)
            if box.text != REFUSAL:
                wrong.append("%s: %r" % (path[-1], box.text))
            box.press("OK")
        except ui.Timeout:
            wrong.append("%s: no message" % path[-1])
    if about_text.text != before:
        wrong.append("the About text changed")
    expect(not wrong, "; ".join(wrong))


# ---------------------------------------------------------------------------------------
# find panel
# ---------------------------------------------------------------------------------------
@check("find 'one' in 'one two one' at 1 and 9, then not found, then the question")
def _():
    main = app.window(MAIN)
    child, text = new_blank_document(main)
    type_into(main, text, "one two one")
    child.find(role="combo box", name="Find text").set_text("one")
    child.find(role="push button", name="Find First").press()
    ui.wait_until(lambda: text.selections == [(0, 3)], 3, what="the first match")
    child.find(role="push button", name="Find Next").press()
    ui.wait_until(lambda: text.selections == [(8, 11)], 3, what="the second match")
    child.find(role="push button", name="Find Next").press()
    box = message(APP_TITLE)
    expect_eq(box.text, "Find completed. Matching text is not found.", "message")
    box.press("OK")
    child.find(role="push button", name="Find Next").press()
    box = message("Please Confirm")
    expect_eq(box.default_button, "No", "default")
    box.press("No")


@check("a replace after a find changes the match and marks the document changed")
def _():
    main = app.window(MAIN)
    path = os.path.join(files, "replace.txt")
    with open(path, "wb") as fh:
        fh.write(b"one two one\r\n")
    app.activate_menu(main, ["&File", "&Open an Existing File"])
    file_dialog("Open a file", path)
    ui.wait_until(lambda: active_title(main) == path, 5, what="the opened file")
    child = app.active_mdi_child(main).node
    text = child.find(role="text", name="Document text")
    child.find(role="combo box", name="Find text").set_text("two")
    child.find(role="combo box", name="Replacement text").set_text("2")
    child.find(role="push button", name="Find First").press()
    ui.wait_until(lambda: text.selected_text == "two", 3, what="the match")
    child.find(role="push button", name="Replace").press()
    ui.wait_until(lambda: text.text == "\none 2 one", 3, what="the replacement")
    child.find(role="push button", name="Close").press()
    message("Text is changed !").press("No")
    ui.wait_until(lambda: path not in children(main), 5, what="the window closed")
    with open(path, "rb") as fh:
        expect_eq(fh.read(), b"one two one\r\n", "file after No")


# ---------------------------------------------------------------------------------------
# colour tool
# ---------------------------------------------------------------------------------------
@check("colour tool: white at start, green to 128, lookup 65, loop from 255 with Ignore")
def _():
    main = app.window(MAIN)
    app.activate_menu(main, ["&Application", "Colour &Picker"])
    ui.wait_until(lambda: active_title(main) == "RGB and ASCII Functions", 5)
    tool = app.active_mdi_child(main).node
    app.screenshot(os.path.join(shots, "colour-tool.png"))
    start = labels(tool)
    for t in ["R, G, B values = 255, 255, 255", "HTML values = # FF FF FF", "255, 0, 0  /  # FF 00 00"]:
        expect(t in start, "initial text %r missing" % t)
    tool.find(role="scroll bar", name="Green").set_value(128)
    for t in ["0, 128 , 0  /  # 00 80 00", "R,G,B values = 255 , 128 , 255", "HTML values =  # FF 80 FF"]:
        ui.wait_until(lambda: t in labels(tool), 3, what=repr(t))
    tool.find(role="text", name="Lookup input").set_text("65")
    tool.find(role="push button", name="Show  answer").press()
    ui.wait_until(lambda: "A" in labels(tool), 3, what="the answer A")
    loop = tool.find(role="text", name="Loop input")
    loop.set_text("255")
    tool.find(role="push button", name="Show").press()
    box = message("Your choice please")
    expect_eq(box.default_button, "Ignore", "default")
    box.press("Ignore")
    ui.wait_until(lambda: loop.text == "0", 3, what="the loop input 0")


# ---------------------------------------------------------------------------------------
# application menu and help
# ---------------------------------------------------------------------------------------
def close_active(main, title):
    app.activate_menu(main, ["&File", "&Close Active File"])
    ui.wait_until(lambda: title not in children(main), 5, what="%r closed" % title)


@check("every Application entry opens its window and greys itself until it closes")
def _():
    main = proceed()
    close_active(main, ABOUT)
    folder = os.path.dirname(os.path.abspath(args.binary))
    entries = [("Tutorial on &CD Autorun.inf File", "Tutorial on Autorun.inf File"),
               ("Colour &Picker", "RGB and ASCII Functions"),
               ("Open &MyShades.csv", os.path.join(folder, "MyShades.csv")),
               ("A&bout  Tagwright Folio", ABOUT),
               ("&Help", "Tutorial on HTML Tags")]
    for entry, title in entries:
        app.activate_menu(main, ["&Application", entry])
        if entry == "&Help":
            box = message(APP_TITLE)
            expect(box.text.endswith("from  %s  path." % folder), "help message: %r" % box.text)
            box.press("OK")
        ui.wait_until(lambda: active_title(main) == title, 5, what="%r open" % title)
        expect(not app.menu_item(main, ["&Application", entry]).enabled, "%s stays enabled" % entry)
        if entry == "&Help":
            app.screenshot(os.path.join(shots, "tutorial.png"))
        close_active(main, title)
        expect(app.menu_item(main, ["&Application", entry]).enabled, "%s not enabled again" % entry)


@check("F1 without a help file names the missing file")
def _():
    main = app.window(MAIN)
    folder = os.path.dirname(os.path.abspath(args.binary))
    app.keys("F1", window=main)
    box = message(APP_TITLE)
    expect(os.path.join(folder, "tutorial_01.chm") in box.text, "message: %r" % box.text)
    box.press("OK")


# ---------------------------------------------------------------------------------------
passed = sum(1 for r in results if r[1])
failed = len(results) - passed
print("screenshots: %s" % shots)
print("%d passed, %d failed" % (passed, failed))
shutil.rmtree(os.path.join(work, "files"), ignore_errors=True)
sys.exit(1 if failed else 0)
