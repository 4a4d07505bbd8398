"""The help page senkaro.html: one self-contained UTF-8 page, Japanese with English glosses,
pictures embedded as data: URIs, worked examples of the nine techniques as small grids.
"""
import base64
import html
import io
import json
import os

from PIL import Image

from common import ASSETS, load_stations

# The worked explanations, written by the game's own code (assets/generator/examples.sh).
EXAMPLES = os.path.join(ASSETS, "src", "examples")

TECHNIQUES = [
    "(基本) 最後の１マス just one empty cell",
    "(基本) 残りの１マス only one place left",
    "(初級) 最後の数字 the only missing number",
    "(中級) わたしの予約席 my reserved seat",
    "(中級) あなた方の予約席 your reserved seat",
    "(上級) 我々の予約席 our reserved seat",
    "(上級) 立ち入り禁止 keep off",
    "(上級) 追い出し get out",
    "(難題) 試行錯誤 puzzled",
]
LEVELS = ["ぶらり遊山の旅（初級）", "急ぎ旅（中級）", "大名行列（上級）"]
CHARACTERS = ["子連れ", "ご隠居", "姉さん", "隠密", "商人", "虚無僧", "殿", "助さん", "おりん"]
CHARACTER_GLOSS = ["a traveller with a child", "the retired gentleman", "the young lady",
                   "the spy", "the merchant", "the wandering monk", "the lord",
                   "the samurai retainer", "the kunoichi"]
# Kinds of puzzle each level can draw.
KINDS_OF_LEVEL = {0: (1, 2, 3), 1: (1, 2, 3, 4), 2: (4, 5, 6)}
KIND_TEXT = {1: "最後の１マス", 2: "残りの１マス", 3: "最後の数字", 4: "わたしの予約席が要る",
             5: "あなた方の予約席が要る", 6: "我々の予約席が要る"}


def time_limit_ms(kind, level):
    return 8000 * 2 ** (kind + 3 - level)


def mmss(ms):
    s = ms // 1000
    return f"{s // 60}:{s % 60:02d}"


def data_uri(img, fmt="PNG", quality=85):
    buf = io.BytesIO()
    if fmt == "JPEG":
        img.convert("RGB").save(buf, "JPEG", quality=quality, optimize=True)
        mime = "image/jpeg"
    else:
        img.save(buf, "PNG", optimize=True)
        mime = "image/png"
    return f"data:{mime};base64," + base64.b64encode(buf.getvalue()).decode("ascii")


class Grid:
    """A fragment of the board as an HTML table.

    cells: {(col, row): content}; content is an int (a given digit), a str of candidate digits
    ("47"), or a dict with keys given/cands/struck/supposed/answer (supposed: candidates only
    supposed, drawn slanted in blue). Styles per cell: "focus", "shade".
    """

    def __init__(self, cols, rows, col0=0, row0=0):
        self.cols, self.rows, self.col0, self.row0 = cols, rows, col0, row0
        self.cells, self.styles = {}, {}

    def given(self, col, row, digit):
        self.cells[(col, row)] = {"given": digit}

    def cands(self, col, row, digits, struck="", supposed=""):
        self.cells[(col, row)] = {"cands": digits, "struck": struck, "supposed": supposed}

    def answer(self, col, row, digit):
        self.cells[(col, row)] = {"answer": digit}

    def style(self, col, row, name):
        self.styles[(col, row)] = name

    def html(self, caption):
        out = ['<figure class="grid"><table>']
        for r in range(self.row0, self.row0 + self.rows):
            out.append("<tr>")
            for c in range(self.col0, self.col0 + self.cols):
                cls = []
                if c % 3 == 0:
                    cls.append("bl")
                if c % 3 == 2:
                    cls.append("br")
                if r % 3 == 0:
                    cls.append("bt")
                if r % 3 == 2:
                    cls.append("bb")
                if (c, r) in self.styles:
                    cls.append(self.styles[(c, r)])
                cell = self.cells.get((c, r))
                inner = ""
                if cell and "given" in cell:
                    inner = f'<span class="given">{cell["given"]}</span>'
                elif cell and "answer" in cell:
                    inner = f'<span class="answer">{cell["answer"]}</span>'
                elif cell and "cands" in cell:
                    rows = []
                    for r3 in range(3):
                        tds = []
                        for d in range(3 * r3 + 1, 3 * r3 + 4):
                            ch = str(d)
                            if ch in cell["struck"]:
                                tds.append(f'<td class="struck">{ch}</td>')
                            elif ch in cell["supposed"]:
                                tds.append(f'<td class="supposed">{ch}</td>')
                            elif ch in cell["cands"]:
                                tds.append(f"<td>{ch}</td>")
                            else:
                                tds.append("<td></td>")
                        rows.append("<tr>" + "".join(tds) + "</tr>")
                    inner = '<table class="pm">' + "".join(rows) + "</table>"
                out.append(f'<td class="{" ".join(cls)}">{inner}</td>')
            out.append("</tr>")
        out.append(f"</table><figcaption>{caption}</figcaption></figure>")
        return "".join(out)


def worked_explanations():
    """Per technique 1-9: (board picture as a data URI, sentences), as the game explains the
    technique's worked example; the sentences are (ja, en, sub-sentences of a trial)."""
    with open(os.path.join(EXAMPLES, "examples.jsonl"), encoding="utf-8") as f:
        records = [json.loads(line) for line in f if line.strip()]
    out = {}
    for record in records:
        k = record["technique"]
        with Image.open(os.path.join(EXAMPLES, f"technique-{k}.png")) as img:
            board = img.convert("RGB").resize((300, 300), Image.LANCZOS)
        board = board.quantize(colors=96, method=Image.MEDIANCUT)
        sentences = [(s["ja"], s["en"], [(t["ja"], t["en"]) for t in s.get("steps", [])])
                     for s in record["sentences"]]
        out[k] = (data_uri(board), sentences)
    return out


def worked_html(k, explanation):
    picture, sentences = explanation
    items = []
    for ja, en, sub in sentences:
        inner = "".join(f'<li>{html.escape(a)}<br><span class="en">{html.escape(b)}</span></li>'
                        for a, b in sub)
        nested = f"<ol>{inner}</ol>" if inner else ""
        items.append(f'<li>{html.escape(ja)}<br><span class="en">{html.escape(en)}</span>'
                     f"{nested}</li>")
    return ('<div class="worked"><img alt="" width="300" height="300" '
            f'src="{picture}"><div><p class="label">ゲームの説明（なぜ？）'
            '<span class="en">How the game explains it (why)</span></p>'
            f'<ol>{"".join(items)}</ol></div></div>')


def examples():
    ex = []
    # 1 just one empty cell: a row with eight digits.
    g = Grid(9, 1)
    for c, d in enumerate([5, 3, 0, 7, 1, 9, 8, 6, 4]):
        if d:
            g.given(c, 0, d)
    g.answer(2, 0, 2)
    ex.append((g.html("横の列に数字が８つ。空きは１マス、足りないのは 2。"
                      " A row holds eight digits: the empty cell gets the missing 2."),
               "行・列・ブロックのどれかに空きマスが一つだけなら、そこに入るのは欠けている数字です。"
               " When a row, column or box has only one empty cell, it takes the one digit that"
               " is missing."))
    # 2 only one place left: where does 5 go in the top-left box?
    g = Grid(9, 9)
    for c, r, d in [(6, 0, 5), (4, 1, 5), (0, 2, 8), (1, 6, 5)]:
        g.given(c, r, d)
    for c in range(9):
        g.style(c, 0, "shade")
        g.style(c, 1, "shade")
    for r in range(9):
        g.style(1, r, "shade")
    g.answer(2, 2, 5)
    ex.append((g.html("左上のブロックで 5 が入れるのは１マスだけ。"
                      " In the top-left box, 5 has one place left."),
               "ある数字について、行・列・ブロックの中で入れる場所が一つしか残っていなければ、"
               "そこに決まります。網掛けは 5 が置けない行と列です。"
               " If a digit has only one possible place in a unit, it goes there. The shaded"
               " lines already hold a 5."))
    # 3 the only missing number.
    g = Grid(9, 9)
    for c, r, d in [(0, 4, 1), (1, 4, 2), (7, 4, 3), (4, 0, 4), (4, 2, 5), (4, 8, 6),
                    (3, 3, 7), (5, 5, 8)]:
        g.given(c, r, d)
    for k in range(9):
        g.style(k, 4, "focus")
        g.style(4, k, "focus")
    g.answer(4, 4, 9)
    ex.append((g.html("中央のマスから見える数字は 1〜8。残るのは 9。"
                      " The centre cell sees 1 to 8; only 9 is left."),
               "あるマスの行・列・ブロックに、合わせて８種類の数字が並んでいれば、"
               "そのマスに入るのは残りの一つです。"
               " When the row, column and box of a cell together hold eight different digits,"
               " the cell takes the ninth."))
    # 4 my reserved seat: locked candidates of 7.
    g = Grid(9, 3)
    for c, r, d in [(0, 0, 1), (1, 0, 2), (2, 0, 3), (1, 1, 4), (0, 2, 5), (1, 2, 6), (2, 2, 8),
                    (3, 0, 6), (4, 0, 9), (5, 0, 5), (3, 1, 1), (5, 1, 3), (3, 2, 2),
                    (4, 2, 4)]:
        g.given(c, r, d)
    g.cands(0, 1, "7")
    g.cands(2, 1, "7")
    g.style(0, 1, "focus")
    g.style(2, 1, "focus")
    for c in (4, 6, 7, 8):
        g.cands(c, 1, "7", struck="7")
    g.cands(8, 0, "7")
    g.cands(6, 2, "7")
    g.answer(5, 2, 7)
    ex.append((g.html("左のブロックの 7 は２段目のどちらか。だから２段目のほかのマスから 7 が消え、"
                      "中のブロックの 7 は右下に決まります。"
                      " The 7 of the left box must sit in the middle row, so the row's other"
                      " cells lose 7, and the middle box's 7 has one place left."),
               "ブロックの中で、ある数字の候補が一つの行（または列）に並んでいたら、"
               "その行のブロック外のマスからその数字を消せます。逆に、行の候補が一つのブロックに"
               "収まっていれば、そのブロックのほかのマスから消せます。"
               " If a digit's places in a box all lie in one row or column, that line's"
               " other cells lose the digit; and the other way round for a line whose places"
               " lie in one box."))
    # 5 your reserved seat: a pair of identical candidate sets.
    g = Grid(9, 1)
    for c, d in [(1, 1), (4, 3), (6, 5), (8, 8)]:
        g.given(c, 0, d)
    g.cands(0, 0, "47")
    g.cands(2, 0, "47")
    g.style(0, 0, "focus")
    g.style(2, 0, "focus")
    g.cands(3, 0, "269")
    g.cands(5, 0, "267", struck="7")
    g.cands(7, 0, "49", struck="4")
    ex.append((g.html("{4, 7} の２マスが 4 と 7 を予約。ほかのマスから 4 と 7 が消え、"
                      "右から２番目は 9 に決まります。"
                      " Two cells with candidates {4, 7} reserve 4 and 7; the row's other cells"
                      " lose them and the second cell from the right becomes 9."),
               "同じ候補の組を持つマスが、その候補の数と同じだけあれば（２マスに {4, 7} など）、"
               "その数字はそこで予約済み。同じ行・列・ブロックのほかのマスから消せます。"
               " When as many cells as there are digits share exactly the same candidate set,"
               " those digits are reserved for them and leave the unit's other cells."))
    # 6 our reserved seat: a hidden pair.
    g = Grid(3, 3)
    for c, r, d in [(1, 0, 4), (2, 1, 5), (0, 2, 7)]:
        g.given(c, r, d)
    g.cands(0, 0, "1268", struck="18")
    g.cands(1, 1, "2369", struck="39")
    g.style(0, 0, "focus")
    g.style(1, 1, "focus")
    g.cands(2, 0, "138")
    g.cands(0, 1, "389")
    g.cands(1, 2, "189")
    g.cands(2, 2, "139")
    ex.append((g.html("2 と 6 が入れるのは同じ２マスだけ。そのマスはほかの候補を手放します。"
                      " 2 and 6 both fit only the same two cells, which drop their other"
                      " candidates."),
               "いくつかの数字が、そろって同じマスにしか入れないなら（2 と 6 が同じ２マスなど）、"
               "そのマスは我々の席。ほかの候補を消せます。"
               " When some digits can only go to the same cells, as many cells as digits, those"
               " cells keep only these digits."))
    # 7 keep off: placing 3 would leave a box without room for 3.
    g = Grid(9, 3)
    g.cands(0, 0, "38", supposed="3")
    g.style(0, 0, "focus")
    for c, r in [(3, 0), (4, 1), (7, 0), (6, 1)]:
        g.cands(c, r, "3")
    for c, r, d in [(3, 2, 2), (4, 2, 5), (5, 2, 9), (6, 2, 1), (7, 2, 4), (8, 2, 6)]:
        g.given(c, r, d)
    ex.append((g.html("左上が 3 なら、中のブロックの 3 は２段目に決まり、右のブロックには 3 の"
                      "入る場所がなくなる。だから左上は 8。"
                      " If the top-left cell were 3, the middle box's 3 would be forced into the"
                      " middle row and the right box would have no room for 3: so it is 8."),
               "候補が二つのマスに片方を仮に置き、その数字だけを追って（ほかに場所のない所へ次々"
               "置いて）いくと、どこかのブロックや行にその数字の入る場所がなくなるなら、"
               "そのマスはもう一方の数字です。図は 3 の候補だけを示しています。"
               " Try one of a two-candidate cell's digits and follow only that digit; if some"
               " unit is left without room for it, the cell takes the other digit. Only the"
               " candidates of 3 are shown."))
    # 8 get out: placing 3 pushes the 8s out until a box has none.
    g = Grid(9, 3)
    g.cands(0, 0, "38", supposed="3")
    g.style(0, 0, "focus")
    for c, r in [(2, 1), (6, 1), (7, 1)]:
        g.cands(c, r, "8")
    for c, r, d in [(1, 0, 5), (2, 0, 7), (0, 1, 9), (4, 2, 8), (6, 0, 1), (7, 0, 2), (8, 0, 4),
                    (8, 1, 6)]:
        g.given(c, r, d)
    ex.append((g.html("左上を 3 にすると、左のブロックの 8 は２段目右に追い出され、右のブロックの "
                      "8 が入る場所が消える。だから左上は 8。"
                      " Making the top-left cell 3 drives the left box's 8 into the middle row,"
                      " and the right box loses every place for 8: so the cell is 8."),
               "候補が二つのマスに一方を置くと、もう一方の数字がよそへ追い出されていき、"
               "ついに入る場所がなくなるなら、そのマスは追い出された数字です。"
               " If putting one digit in a two-candidate cell pushes the other digit from place"
               " to place until it has nowhere left, the cell takes the pushed-out digit."))
    # 9 puzzled: a trial that ends in an empty cell.
    g = Grid(5, 5)
    g.cands(0, 0, "25", struck="2")
    g.style(0, 0, "focus")
    g.cands(4, 0, "29")
    g.cands(4, 4, "59")
    g.cands(0, 4, "25")
    ex.append((g.html("左上に 2 を試す → 右上は 9 → 右下は 5 → 左下は候補なし。矛盾なので"
                      "左上の 2 は消え、5 が残ります。"
                      " Try 2 top left: top right becomes 9, bottom right 5, and bottom left has"
                      " no candidate left. The 2 is struck; 5 remains."),
               "候補が少ないマスに一つの数字を試しに置き、ここまでの手筋だけで進めて矛盾"
               "（候補のないマス）が出たら、その候補を消します。当て推量を重ねることはしません。"
               " Try one candidate of a cell with few candidates and follow the simpler"
               " techniques only; if this ends in a contradiction, that candidate is struck."
               " No second guess is ever made."))
    return ex


CSS = """
:root { --ink:#2a211c; --paper:#f6eedb; --indigo:#284a76; --vermilion:#c8402a;
        --ochre:#c8962e; --pale:#fbf6ea; }
* { box-sizing: border-box; }
body { margin:0; background:var(--paper); color:var(--ink);
       font-family:"IPAPGothic","Hiragino Kaku Gothic ProN","Yu Gothic","Noto Sans CJK JP",
       sans-serif; font-size:16px; line-height:1.75; }
header { background:linear-gradient(#1b2d4f, #284a76 60%, #8fb0c4); color:#fbf6ea;
         padding:28px 24px 22px; border-bottom:4px solid var(--vermilion); }
header .wrap { display:flex; align-items:center; gap:20px; }
header img { width:72px; height:72px; }
h1, h2, h3 { font-family:"KouzanBrushFont","IPAPMincho","Hiragino Mincho ProN","Yu Mincho",
             serif; font-weight:normal; }
h1 { margin:0; font-size:40px; letter-spacing:0.08em; }
h1 small { display:block; font-family:inherit; font-size:16px; letter-spacing:0;
           font-family:"IPAPGothic",sans-serif; opacity:0.85; }
main { max-width:860px; margin:0 auto; padding:8px 24px 48px; }
nav { background:var(--pale); border:1px solid #d9c9a3; padding:10px 18px; margin:24px 0;
      border-radius:4px; }
nav ol { margin:0; padding-left:20px; columns:2; }
h2 { font-size:28px; border-bottom:2px solid var(--vermilion); margin-top:48px;
     padding-bottom:2px; }
h2 .en, h3 .en { font-family:"IPAPGothic",sans-serif; font-size:15px; color:#6b5a48;
                 margin-left:10px; }
h3 { font-size:21px; margin:32px 0 8px; color:var(--indigo); }
.en { color:#5c4e40; }
p.en, li .en { font-size:14.5px; }
table.data { border-collapse:collapse; margin:12px 0 20px; background:var(--pale); }
table.data th, table.data td { border:1px solid #cdb98e; padding:4px 12px; text-align:center; }
table.data th { background:#eadcb8; font-weight:bold; }
table.data td.none { color:#b3a486; }
.pictures { display:flex; flex-wrap:wrap; gap:14px; margin:12px 0; }
.pictures figure { margin:0; text-align:center; font-size:14px; }
.pictures img { display:block; border:1px solid #cdb98e; background:var(--pale); }
.chars img { width:96px; height:96px; }
figure.grid { display:inline-block; margin:10px 18px 10px 0; vertical-align:top; }
figure.grid figcaption { max-width:420px; font-size:14px; color:#5c4e40; margin-top:6px; }
figure.grid table { border-collapse:collapse; background:#fffdf6; }
figure.grid td { width:34px; height:34px; border:1px solid #b9ab90; padding:0;
                 text-align:center; vertical-align:middle; }
figure.grid td.bl { border-left:2px solid var(--ink); }
figure.grid td.br { border-right:2px solid var(--ink); }
figure.grid td.bt { border-top:2px solid var(--ink); }
figure.grid td.bb { border-bottom:2px solid var(--ink); }
figure.grid td.focus { background:#f3e2b0; }
figure.grid td.shade { background:#dfe7ee; }
.given { font-size:20px; font-weight:bold; }
.answer { display:inline-block; width:28px; height:28px; line-height:24px; font-size:20px;
          font-weight:bold; color:#1f3a8a; border:2px solid var(--vermilion);
          border-radius:50%; }
figure.grid table.pm { margin:auto; border:none; background:none; }
figure.grid table.pm td { width:10px; height:10px; border:none; font-size:10px;
                          line-height:10px; color:#2d4f9e; }
figure.grid table.pm td.struck { color:var(--vermilion); text-decoration:line-through;
                                 font-weight:bold; }
figure.grid table.pm td.supposed { color:#4080c0; font-style:italic; font-weight:bold;
                                   font-size:13px; }
.technique { background:var(--pale); border-left:4px solid var(--indigo); padding:6px 16px 10px;
             margin:22px 0; }
.technique h3 { margin-top:8px; }
.worked { display:flex; gap:16px; align-items:flex-start; margin-top:10px; flex-wrap:wrap; }
.worked img { border:1px solid #9c8c70; background:#fff; }
.worked > div { flex:1; min-width:260px; }
.worked .label { font-weight:bold; margin:0 0 4px; }
.worked ol { margin:0; padding-left:22px; }
.worked ol ol { margin-top:4px; list-style:lower-alpha; }
.technique code { font-family:inherit; }
kbd { border:1px solid #9c8c70; border-bottom-width:2px; border-radius:3px; padding:0 5px;
      background:#fffdf6; font-family:inherit; font-size:14px; }
.marks span { display:inline-block; padding:0 6px; font-weight:bold; }
footer { text-align:center; font-size:13px; color:#7a6a58; padding:24px; }
"""


def build(pictures):
    """pictures: dict with 'icon', 'map', 'start', 'goal' and 'characters' (PIL images)."""
    stations = load_stations()
    p = []
    add = p.append
    add("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n")
    add("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n")
    add("<title>千花路五十三次 巡数 一人旅 — 案内 help</title>\n")
    add(f"<style>{CSS}</style>\n</head>\n<body>\n")
    add(f'<header><div class="wrap"><img alt="" src="{data_uri(pictures["icon"])}">'
        "<h1>千花路五十三次 巡数 一人旅<small>案内 — how to travel the road of one forced"
        " move</small></h1></div></header>\n<main>\n")
    sections = [("round", "一手の勝負", "a round"), ("time", "持ち時間", "the countdown"),
                ("road", "旅路と関所", "the road and its checkpoints"),
                ("levels", "旅の格と道連れ", "levels and characters"),
                ("techniques", "九つの手筋", "the nine techniques"),
                ("practice", "修行", "practice, one technique at a time"),
                ("tools", "道具", "memo pen, candidate marks, pause"),
                ("keys", "キーで遊ぶ", "playing with the keyboard"),
                ("data", "記録", "where your journey is kept")]
    add("<nav><ol>")
    for anchor, ja, en in sections:
        add(f'<li><a href="#{anchor}">{ja}</a> <span class="en">{en}</span></li>')
    add("</ol></nav>\n")

    add('<h2 id="round">一手の勝負<span class="en">A round</span></h2>\n')
    add("<p>盤は 9×9 のマス目で、数字がいくつか置かれています。どの行・列・3×3 の"
        "ブロックにも 1〜9 が一つずつ入ります。ただし、全部を解く必要はありません。"
        "いま理詰めで確実に決まるマスは<strong>ちょうど一つ</strong>。その一手（必然の一手）を"
        "見つけ、盤の横に積まれた数字の駒をそのマスへドラッグします。</p>\n")
    add('<p class="en">The board shows a partly filled grid: every row, column and 3×3 box'
        " holds 1–9 once. You do not solve the whole grid. Exactly one cell can be filled by"
        " logic right now — the forced move. Find it and drag the right digit from its stack"
        " beside the grid onto that cell before the countdown ends.</p>\n")
    add("<ul><li>正しい一手なら成功。駒に赤い丸がつき、次の宿へ進みます。"
        ' <span class="en">Right cell and digit: success, the piece is circled and you move one'
        " station on.</span></li>"
        "<li>違うマス・違う数字、または時間切れは失敗。「必然の一手を探してください」と出て、"
        "答えが盤に置かれ、一つ前の宿へ戻ります（関所の宿では戻りません）。"
        ' <span class="en">A wrong cell, a wrong digit or a time-out is a failure: the answer is'
        " shown and you go back one station — except at a checkpoint station.</span></li>"
        "<li>一局は一手だけ。盤面の他のマスを埋める必要はありません。"
        ' <span class="en">One move per round; nothing else needs to be filled.</span></li></ul>\n')
    add("<p>始めるには <strong>始める Play</strong>、旅人を選ぶには <strong>設定 select</strong>"
        " を押します。一局が終わるたびに旅人の画面が開き、「つづける continue」で次の一局へ。</p>\n")

    add('<h2 id="time">持ち時間<span class="en">The countdown</span></h2>\n')
    add("<p>問題の種類（1〜6）と旅の格で持ち時間が決まります："
        " <strong>8000 × 2<sup>(種類 + 3 − 格)</sup> ミリ秒</strong>。"
        "格は 0 初級、1 中級、2 上級。種類が一つ上がると倍、格が一つ上がると半分です。</p>\n")
    add('<p class="en">The time limit is 8000 × 2^(kind + 3 − level) milliseconds, level 0'
        " beginner, 1 intermediate, 2 advanced: each harder kind doubles it, each higher level"
        " halves it. A dash means the level never draws that kind.</p>\n")
    add('<table class="data"><tr><th>種類 kind</th><th>必要な手筋 needs</th>')
    for lv, name in enumerate(LEVELS):
        add(f"<th>{name}</th>")
    add("</tr>")
    for kind in range(1, 7):
        add(f"<tr><td>{kind}</td><td>{KIND_TEXT[kind]}</td>")
        for lv in range(3):
            if kind in KINDS_OF_LEVEL[lv]:
                ms = time_limit_ms(kind, lv)
                add(f"<td>{mmss(ms)}<br><small>{ms} ms</small></td>")
            else:
                add('<td class="none">—</td>')
        add("</tr>")
    add("</table>\n")
    add("<p>初級では道中が進むほど難しい種類が出ます（日本橋と品川では種類 1 だけ）。"
        ' <span class="en">At the beginner level the first stations bring kind 1 only; harder'
        " kinds join further down the road.</span></p>\n")

    add('<h2 id="road">旅路と関所<span class="en">The road and its checkpoints</span></h2>\n')
    add('<div class="pictures">')
    add(f'<figure><img alt="道中図 route map" width="437" height="405" '
        f'src="{data_uri(pictures["map"], "JPEG")}"><figcaption>道中図 route map</figcaption>'
        "</figure>")
    add("</div>\n")
    add(f"<p>旅は{stations[0]['japanese']}（{stations[0]['romanised']}）から"
        f"{stations[-1]['japanese']}（{stations[-1]['romanised']}）まで、"
        "55 の地点（0 出発、1〜53 宿場、54 到着）。右の江戸から左の京へ、"
        "地図の印が一つずつ赤く変わっていきます。</p>\n")
    add('<p class="en">The journey runs over 55 points: station 0 is the start, 1–53 the post'
        " stations, 54 the destination. The map's marks turn red as you travel from the right"
        " to the left.</p>\n")
    add("<p>旅のはじめに<strong>関所の宿</strong>（チェックポイント）がくじで選ばれます。"
        "初級 15、中級 12、上級 9 か所で、最後はいつも 52 番 草津。地図では背の高い印、"
        "下の画廊にはたどり着いた関所の宿の絵が並びます。関所の宿では失敗しても戻されず、"
        "そこへ成功でたどり着くとファンファーレが鳴ります。</p>\n")
    add('<p class="en">Each journey draws its checkpoint stations at random: 15, 12 or 9 by'
        " level, the last always station 52. They are the tall marks on the map; the gallery"
        " below it shows the picture of each one you have reached. A failure at a checkpoint"
        " costs no station.</p>\n")
    add('<div class="pictures">')
    for key, cap in (("start", stations[0]["japanese"]), ("goal", stations[-1]["japanese"])):
        add(f'<figure><img alt="{cap}" width="274" height="178" '
            f'src="{data_uri(pictures[key], "JPEG")}"><figcaption>{cap}</figcaption></figure>')
    add("</div>\n")
    add("<p>京都に着くと、次の格の旅を始めるか尋ねられます。上級の旅の先はありません"
        "（「もうこれ以上の旅はありません」）。"
        ' <span class="en">At Kyoto you are offered the next journey at the next level; after'
        " the advanced journey there is no further road.</span></p>\n")

    add('<h2 id="levels">旅の格と道連れ<span class="en">Levels and characters</span></h2>\n')
    add('<table class="data"><tr><th>格 level</th><th>名前 name</th><th>関所 checkpoints</th>'
        "<th>道連れ characters</th></tr>")
    for lv, name in enumerate(LEVELS):
        chars = "、".join(CHARACTERS[3 * lv: 3 * lv + 3])
        add(f"<tr><td>{lv}</td><td>{name}</td><td>{15 - 3 * lv}</td><td>{chars}</td></tr>")
    add("</table>\n")
    add("<p>旅人ごとに一人の道連れを選びます。格が変わると、その格の道連れから選び直します。"
        ' <span class="en">Each traveller picks a character of the level; a new level means'
        " choosing again from its three.</span></p>\n")
    add('<div class="pictures chars">')
    for i, img in enumerate(pictures["characters"]):
        add(f'<figure><img alt="{CHARACTERS[i]}" width="96" height="96" src="{data_uri(img)}">'
            f'<figcaption>{CHARACTERS[i]}<br><span class="en">{CHARACTER_GLOSS[i]}</span>'
            "</figcaption></figure>")
    add("</div>\n")

    add('<h2 id="techniques">九つの手筋<span class="en">The nine techniques</span></h2>\n')
    add("<p>必然の一手はかならず次の手筋のどれかで見つかります。赤丸が答え、黄色は注目するマス、"
        "小さな青い数字は候補、赤い取り消し線は消える候補、斜めの青い数字は仮に置いてみる候補です。</p>\n")
    add('<p class="en">Every forced move can be found with these techniques. The red circle is'
        " the answer, yellow marks the cells to look at, small blue digits are candidates,"
        " struck red digits are candidates that go and slanted blue ones are only supposed.</p>\n")
    worked = worked_explanations()
    for k, (name, (figure, text)) in enumerate(zip(TECHNIQUES, examples()), start=1):
        add(f'<section class="technique"><h3>{k}. {html.escape(name)}</h3>'
            f"<p>{text}</p>{figure}{worked_html(k, worked[k])}</section>\n")

    add('<h2 id="practice">修行<span class="en">Practice</span></h2>\n')
    add("<p>旅とは別に、手筋をひとつ選んで練習できます。設定の画面の<strong>修行 practice</strong>か、"
        "一局と一局のあいだに道具の帯の修行の札（<kbd>T</kbd>）から。九つの手筋の横には、これまでの"
        "正解の割合が出ます。<strong>苦手な手筋</strong>を選ぶと、五回以上出会った手筋のうち割合が"
        "いちばん低いもの（なければ、まだ出会っていないもの）になります。</p>\n")
    add('<p class="en">Apart from the journey you can practise one technique at a time:'
        " <strong>修行 practice</strong> in the player dialog, or the dojo board (<kbd>T</kbd>) in"
        " the tool band between rounds. Beside each of the nine techniques stands your share of"
        " right answers so far; <strong>my weakest technique</strong> takes the one with the"
        " lowest share among those met five times or more, else one not met yet.</p>\n")
    add("<p>修行の一局には時間切れがありません。時計は 0:00 から進み、宿場は進みも戻りもせず、旅は"
        "そのままです。ヒント（提灯、<kbd>H</kbd>）は三段階です。手筋の名前と見るべき行・列・"
        "ブロック、次に鍵のマスの枠、最後に答えの説明。ヒントのあとに解いた一局は「ヒントあり」と"
        "記録されます。一手のあとは答えと説明、そして<strong>つぎ next</strong>（同じ手筋の次の問題）"
        "か<strong>旅にもどる back to the journey</strong>。記録の画面の「修行 practice」に手筋ごとの"
        "成績が出ます。</p>\n")
    add('<p class="en">A practice round never runs out: its clock counts up from 0:00, no station'
        " is won or lost, and the journey stays as it was. A hint (the lantern, <kbd>H</kbd>)"
        " comes in three steps: the technique's name and the row, column or box to look at; then"
        " the key cells framed; last the whole explanation. A round solved after a hint is"
        " recorded as hinted. After the move you see the answer and its explanation, then"
        " <strong>つぎ next</strong> (another position of the same technique) or"
        " <strong>旅にもどる back to the journey</strong>; the records window shows practice per"
        " technique on a tab of its own.</p>\n")

    add('<h2 id="tools">道具<span class="en">Memo pen, candidate marks, pause</span></h2>\n')
    add("<h3>メモ書き<span class=\"en\">The memo pen</span></h3>\n")
    add("<p>一局のあいだ、盤の上にマウスでメモを書けます（左ボタンを押したままなぞる）。"
        "<strong>ペン書き pen mode</strong> で書き、<strong>消しゴム eraser mode</strong> で消し、"
        "<strong>メモ書きの色 pen color</strong> で色を選び、<strong>メモを消す erase memo</strong>"
        " で全部消します。メモは盤の線や駒の下に描かれ、次の問題では白紙に戻ります。</p>\n")
    add('<p class="en">While a round runs you can scribble on the board with the left mouse'
        " button: pen mode writes, eraser mode rubs out, pen color picks the colour, erase memo"
        " wipes it all. Notes lie under the grid lines and pieces, and every new puzzle starts"
        " with a clean board.</p>\n")
    add("<h3>候補の印<span class=\"en\">Candidate marks</span></h3>\n")
    add("<p>数字の駒を<strong>右クリック</strong>すると、その数字が入れる空きマスに小さな青い数字が"
        "出ます。ほとんど決まりかけの所は色が変わります：</p>\n")
    add('<p class="marks"><span style="color:#ff0000;border:1px solid #ff0000">赤 red</span>'
        " 四角で囲む boxed — ブロック・行・列で場所が一つ、"
        "またはそのマスの候補が一つ／ one place left, or the cell's only candidate<br>"
        '<span style="color:#800000;text-decoration:underline">えんじ maroon</span> 下線 underlined'
        " — ブロックで場所が二つ／ two places in the box<br>"
        '<span style="color:#008000;text-decoration:underline dotted">緑 green</span> 点線 dotted'
        " — ブロックで場所が三つ／ three places in the box</p>\n")
    add("<p><kbd>Tab</kbd> を押したまま右クリックすると、前の印を残したまま別の数字の印を"
        "重ねられます。"
        ' <span class="en">Hold Tab while right-clicking to add a second digit\'s marks to'
        " those already shown.</span></p>\n")
    add("<h3>一時停止<span class=\"en\">Pause</span></h3>\n")
    add("<p><strong>一時停止 pause</strong> で盤が隠れ（「a short break」）、持ち時間は止まります。"
        "<strong>再開 replay</strong> で続きから。止めていた時間は差し引かれません。</p>\n")
    add('<p class="en">Pause hides the board and stops the clock; replay carries on with the'
        " time that was left.</p>\n")
    add("<h3>なぜ？<span class=\"en\">Why this move</span></h3>\n")
    add("<p>一局が終わるたびに（正解でも不正解でも）、左側に答えと手筋の名前が出ます。"
        "<strong>なぜ？ why</strong>（<kbd>Y</kbd>）を押すと、その答えがなぜ決まるのかを手順ごとに"
        "盤の上で見せます。試行錯誤の手順は一つにまとめて見せ、<strong>ひらく open</strong>"
        "でその中の手順をたどれます。<strong>とじる close</strong>（<kbd>Esc</kbd>）で閉じると、"
        "いつもの設定の画面になります。<strong>つづける continue</strong> で説明を見ずに進めます。"
        "説明は盤の記録、残り時間、宿場を変えません。"
        ' <span class="en">After every round, right or wrong, the answer and its technique show at'
        " the left. <strong>why</strong> (<kbd>Y</kbd>) shows step by step on the board why the"
        " answer is forced. A trial is one step; <strong>open</strong> walks through its own"
        " steps. <strong>close</strong> (Esc) brings the player dialog as usual;"
        " <strong>continue</strong> skips the explanation. It never changes the moves, the time"
        " or your station.</span></p>\n")
    marks = [("黄色の網掛け", "yellow shading",
              "手順が見る行・列・ブロック（一つだけの候補なら、そのマスの行・列・ブロック）",
              "the unit the step looks at (for a cell's last candidate, its row, column and box)"),
             ("青の網掛け", "blue shading",
              "交わる行・列・ブロック：予約席で、ほかのマスから数字が消える所",
              "the crossing unit: where a reserved seat takes the digit from the other cells"),
             ("赤の網掛け・赤い枠", "red shading or frame",
              "行き詰まり：仮に置いた数字の入る場所がなくなった行・列・ブロック、"
              "または候補がなくなったマス",
              "the dead end: a unit left without room for a digit, or a cell left without"
              " candidates, once something is supposed"),
             ("オレンジの枠", "orange frame", "鍵になるマス", "the key cells"),
             ("小さな数字", "small digits", "候補", "candidates"),
             ("赤い斜線の数字", "struck red digits", "この手順で消える候補",
              "candidates this step takes away"),
             ("薄い灰色の斜線の数字", "faint grey struck digits", "前の手順ですでに消えた候補",
              "candidates earlier steps took away"),
             ("緑の細い丸と線", "thin green rings and lines",
              "理由の数字：その数字が同じ行・列・ブロックのマスをふさぎます。線の先のふさがれたマスには"
              "緑の斜線が入ります",
              "the reasons: a placed digit that shuts the cells of its row, column or box; the"
              " lines lead to the cells it shuts, which are hatched in green"),
             ("青い矢印", "blue arrows", "数字のつながり（仮に置いた数字から）",
              "a chain, from the supposed digit on"),
             ("斜めの青い数字", "slanted blue digits", "仮に置いた数字（盤にはありません）",
              "digits only supposed, not on the board"),
             ("赤丸", "red ring", "置かれる数字。丸の中にはその数字だけが入り、そのマスから前に消えた候補は"
              "説明の下に書かれます", "the digit placed; it stands alone in its ring, and the"
              " candidates earlier steps took from its cell are named under the sentences")]
    add('<table class="data"><tr><th>盤の印 mark</th><th>意味</th><th class="en">meaning</th></tr>')
    for ja, en, meaning_ja, meaning_en in marks:
        add(f'<tr><td>{ja}<br><span class="en">{en}</span></td><td>{meaning_ja}</td>'
            f'<td class="en">{meaning_en}</td></tr>')
    add("</table>\n")
    boxes = Grid(3, 3)
    for n in range(9):
        boxes.given(n % 3, n // 3, n + 1)
    add(boxes.html("ブロックの番号（一マスが一つのブロック）。 The boxes' numbers, one square a box."))
    add("<p>ブロックは左上から右へ、上の段から下の段へ順に数えます：いちばん上の段が左から"
        "ブロック1・2・3、まん中の段が 4・5・6、いちばん下の段が 7・8・9 です。説明のあいだは、"
        "盤の各ブロックの隅に「ブロック1 box 1」のように名前が出ます。マスは列の文字（A〜I、左から）"
        "と行の数字（1〜9、上から）で呼びます（左上が A1）。説明のあいだ、自分で書いたメモと候補の印は"
        "しまわれ、説明を閉じるとそのまま戻ります。説明の文は読み上げソフトにも伝わります。"
        ' <span class="en">Boxes are counted from the top left, left to right and then row by'
        " row: the top band holds boxes 1, 2 and 3, the middle band 4, 5 and 6, the bottom band"
        " 7, 8 and 9. While an explanation is shown each box carries its name (\u201cブロック1 box"
        " 1\u201d) in a corner. Cells are named by their column letter (A–I from the left) and"
        " row number (1–9 from the top), so the top-left cell is A1. Your memo and candidate marks"
        " are put away while the explanation is shown and come back as they were when it closes."
        " Screen readers read each step's sentences as they come.</span></p>\n")
    add("<h3>途中でやめる<span class=\"en\">Leaving during a round</span></h3>\n")
    add("<p>始まって１分以内なら、窓を閉じても何も失いません。１分を過ぎると、"
        "閉じる前に「１宿もどされます。よろしいか？」と尋ねられます（関所の宿では戻りません）。"
        ' <span class="en">Within the first minute you may close the window freely; after it,'
        " leaving costs one station unless you stand at a checkpoint.</span></p>\n")

    add('<h2 id="keys">キーで遊ぶ<span class="en">Playing with the keyboard</span></h2>\n')
    add("<p>一局のあいだ、盤には太い枠のカーソルがあり、最初の空きマスから始まります。"
        "マウスを使わずに最後まで遊べます。"
        ' <span class="en">While a round runs the board has a cursor, a thick frame that starts'
        " on the first empty cell; a whole game can be played without the mouse.</span></p>\n")
    keys = [("← → ↑ ↓", "カーソルを動かす（端では反対側へ）", "move the cursor (wrapping at the edges)"),
            ("Home / End", "行の最初・最後のマスへ", "the row's first or last cell"),
            ("1 – 9", "その数字の駒をカーソルのマスに置く（ドロップと同じ判定）",
             "play that digit on the cursor's cell, judged as a drop"),
            ("Space / Enter", "駒のあるマスで、その数字の候補の印", "on a piece: that digit's marks"),
            ("Tab（押したまま）", "印を重ねる", "held: add another digit's marks"),
            ("Ctrl+Tab", "盤を出て道具の帯へ（そこでは Tab で次のボタン）",
             "leave the board for the tool bands (there Tab goes on)"),
            ("Space（ボタンの上）", "フォーカスのあるボタンを押す", "on a focused button: press it"),
            ("P", "一時停止・再開", "pause and resume"),
            ("Y", "なぜ？ why（一局のあと）", "after a round: why its answer is forced"),
            ("→ / PageDown / Space", "説明の手順を進む", "in the explanation: the next step"),
            ("← / PageUp", "説明の手順を戻る", "in the explanation: the step before"),
            ("↓ / ↑", "試行の手順に入る・試行から出る", "in the explanation: open a trial / leave it"),
            ("Enter / Esc", "説明を閉じて続ける", "close the explanation and go on"),
            ("S", "始める Play", "start a round"),
            ("U", "設定 select", "the player dialog"),
            ("R", "記録 records", "the current player's records"),
            ("T", "修行 practice（修行のあいだは 旅にもどる）",
             "practice; during it, back to the journey"),
            ("H", "ヒント hint（修行の一局で）", "in a practice round: the next hint"),
            ("W / E / C / M", "ペン・消しゴム・ペンの色・メモを消す",
             "pen, eraser, pen colour, erase memo"),
            ("F1", "案内 help", "this page"),
            ("Ctrl+Q", "終わる Close", "close the game")]
    add('<table class="keys"><tr><th>キー key</th><th>はたらき</th><th class="en">what it does</th></tr>')
    for key, ja, en in keys:
        add(f'<tr><td><kbd>{key}</kbd></td><td>{ja}</td><td class="en">{en}</td></tr>')
    add("</table>\n")
    add("<p>盤のマスと駒の山には、読み上げソフト向けの名前があります（「B3: 7 (given)」、"
        "「D4: empty」、「D1: empty, marks 2 5」、「7, 4 left in the stack」）。"
        "残り時間は文字と秒数で読め、一分ごとと最後の十秒に知らされます。"
        ' <span class="en">Every cell and every stack has a name that screen readers read,'
        " marks included; the time left reads as text and as seconds, and is told at each"
        " minute and in the last ten seconds.</span></p>\n")

    add('<h2 id="data">記録<span class="en">Where your journey is kept</span></h2>\n')
    add("<p>旅人の名前・格・宿・関所・道連れは、ゲームを起動したフォルダーの"
        "<strong>senkaro.ini</strong> に、一局ごとに保存されます。別のフォルダーから起動すると、"
        "別の記録になります。ファイルが壊れていて読めないときは、"
        "<strong>senkaro.ini.damaged</strong> という名前でそのまま残し、新しい記録で始めます。</p>\n")
    add('<p class="en">Every traveller\'s name, level, station, checkpoints and character are'
        " saved after every round in <strong>senkaro.ini</strong>, in the folder the game is"
        " started from; starting it from another folder gives another record. A damaged file"
        " that cannot be read is kept beside it as <strong>senkaro.ini.damaged</strong>, and the"
        " game starts a fresh record.</p>\n")
    add("<p>デスクトップのメニューから起動したときは、<strong>~/.local/share/senkaro/</strong>"
        "（XDG_DATA_HOME があれば <strong>$XDG_DATA_HOME/senkaro/</strong>）がそのフォルダーです。"
        ' <span class="en">Started from the desktop menu, that folder is'
        " <strong>~/.local/share/senkaro/</strong> (or <strong>$XDG_DATA_HOME/senkaro/</strong>);"
        " from a terminal it is the current folder.</span></p>\n")
    add("</main>\n<footer>千花路五十三次 巡数 一人旅 — よい旅を。 Have a good journey.</footer>\n"
        "</body>\n</html>\n")
    return "".join(p)
