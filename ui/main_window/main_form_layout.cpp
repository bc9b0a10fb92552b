#include "ui/main_window/main_form_layout.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/curve/curve_inputs.h"
#include "ui/main_window/frame_box.h"
#include "ui/main_window/ruled_grid.h"
#include "ui/main_window/window_font.h"
#include "ui/main_window/control_names.h"

namespace tarvelo {

namespace {

using K = ControlKind;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ControlDef Frame(const char* name, const char* caption, QRect r)
{
    return {K::Frame, name, {}, r, U(caption), {}, {}, {}};
}

ControlDef Label(const char* name, const char* frame, QRect r, const char* caption = "",
                  const char* tooltip = "")
{
    return {K::Label, name, frame, r, U(caption), U(tooltip), {}, {}};
}

ControlDef Heading(const char* name, const char* frame, QRect r, const char* caption)
{
    ControlDef c = Label(name, frame, r, caption);
    c.heading = true;
    return c;
}

ControlDef Box(const char* name, const char* frame, QRect r, const char* text,
                const char* tooltip = "")
{
    return {K::Box, name, frame, r, U(text), U(tooltip), {}, {}};
}

ControlDef Option(const char* name, const char* frame, int x, int y, const char* caption,
                   const char* tooltip = "")
{
    return {K::Option, name, frame, QRect(x, y, 73, 16), U(caption), U(tooltip), {}, {}};
}

ControlDef Button(const char* name, int x, int y, const char* caption)
{
    return {K::Button, name, {}, QRect(x, y, 89, 25), U(caption), {}, {}, {}};
}

ControlDef Rules(const char* name, const char* frame, std::vector<int> columns,
                  std::vector<int> rows)
{
    return {K::Rules, name, frame, {}, {}, {}, std::move(columns), std::move(rows)};
}

// An input row: caption label and box, both with the same tooltip.
void AddRow(std::vector<ControlDef>& c, const char* frame, int labelX, int y, const char* label,
            const char* caption, const char* box, const char* text, const char* tooltip)
{
    c.push_back(Label(label, frame, QRect(labelX, y, 88 - labelX, 18), caption, tooltip));
    c.push_back(Box(box, frame, QRect(88, y, 89, 18), text, tooltip));
}

std::vector<ControlDef> MakeControls()
{
    std::vector<ControlDef> c;

    // Left column: the curve inputs and the mode inputs.
    c.push_back(Frame("Frame1", "输入要素", QRect(8, 8, 185, 225)));
    for (int i = 0; i < kCurveInputCount; ++i) {
        const CurveInputDef& in = kCurveInputs[i];
        AddRow(c, "Frame1", 8, 16 + 24 * i, kCurveInputLabels[i], in.caption, kCurveInputBoxes[i],
               in.defaultText, in.tooltip);
    }
    c.push_back(Option("Option1", "Frame1", 16, 208, "坐标正算", "正算选择"));
    c.push_back(Option("Option2", "Frame1", 104, 208, "坐标反算", "反算选择"));

    c.push_back(Frame("Frame4", "正算数据", QRect(8, 240, 185, 113)));
    AddRow(c, "Frame4", 16, 16, "Label31", "计算桩号K=", "Text41", "10000", "请输入计算里程桩号！");
    AddRow(c, "Frame4", 16, 40, "Label32", "计算偏距m=", "Text42", "0",
           "请输入计算偏距，距中桩水平距离，左为负，右为正！");
    AddRow(c, "Frame4", 16, 64, "Label33", "计算偏角a=", "Text43", "90", "请输入计算偏角a，正交为90°！");
    c.push_back(Option("Option3", "Frame4", 16, 88, "单点计算"));
    c.push_back(Option("Option4", "Frame4", 104, 88, "连续计算"));

    c.push_back(Frame("Frame6", "反算数据", QRect(8, 360, 185, 89)));
    AddRow(c, "Frame6", 16, 24, "Label41", "输入坐标X=", "Text47", "3377706.6675", "请输入反算坐标X！");
    AddRow(c, "Frame6", 16, 56, "Label42", "输入坐标Y=", "Text48", "455858.525", "请输入反算坐标Y！");

    c.push_back(Frame("Frame8", "连续计算", QRect(8, 360, 185, 89)));
    AddRow(c, "Frame8", 16, 16, "Label37", "计算间距J=", "Text9", "20", "");
    AddRow(c, "Frame8", 16, 40, "Label38", "起点桩号K=", "Text10", "9000", "");
    AddRow(c, "Frame8", 16, 64, "Label39", "止点桩号K=", "Text11", "10000", "");

    // The five main stakes: a heading row and one row per point.
    c.push_back(Frame("Frame2", "曲线五大桩", QRect(200, 8, 425, 225)));
    c.push_back(Rules("Frame2Rules", "Frame2", {8, 52, 134, 221, 309, 417},
                      {24, 56, 88, 120, 152, 184, 216}));
    c.push_back(Heading("Label9", "Frame2", QRect(16, 32, 35, 18), "名称"));
    c.push_back(Heading("Label10", "Frame2", QRect(64, 32, 69, 18), "里程桩号   (K)"));
    c.push_back(Heading("Label11", "Frame2", QRect(160, 32, 60, 18), "坐标X  (m)"));
    c.push_back(Heading("Label12", "Frame2", QRect(248, 32, 60, 18), "坐标Y  (m)"));
    c.push_back(Heading("Label13", "Frame2", QRect(320, 32, 96, 18), "切线方位角F   (°ˊ″)"));
    struct StakeRow {
        const char* caption;
        const char* name;
        const char* tooltip;
        const char* cells[4];
    };
    const StakeRow stakes[5] = {
        {"Label14", "ZH", "直缓桩号", {"Label45", "Label46", "Label47", "Label48"}},
        {"Label15", "HY", "缓圆桩号", {"Label49", "Label50", "Label51", "Label52"}},
        {"Label16", "QZ", "曲中桩号", {"Label53", "Label54", "Label55", "Label56"}},
        {"Label17", "YH", "圆缓桩号", {"Label57", "Label58", "Label59", "Label60"}},
        {"Label18", "HZ", "缓直桩号", {"Label61", "Label62", "Label63", "Label64"}},
    };
    const int cellX[4] = {56, 136, 224, 312}, cellW[4] = {77, 84, 84, 104};
    for (int row = 0; row < 5; ++row) {
        const int y = 64 + 32 * row;
        c.push_back(Label(stakes[row].caption, "Frame2", QRect(24, y, 27, 18), stakes[row].name,
                          stakes[row].tooltip));
        for (int col = 0; col < 4; ++col)
            c.push_back(Label(stakes[row].cells[col], "Frame2", QRect(cellX[col], y, cellW[col], 18)));
    }

    // The twelve curve elements: three rows of four name/value pairs.
    c.push_back(Frame("Frame3", "曲线参数", QRect(200, 240, 425, 113)));
    c.push_back(Rules("Frame3Rules", "Frame3", {16, 52, 117, 148, 213, 252, 309, 348, 417},
                      {28, 52, 76, 100}));
    struct Pair {
        const char* name;
        const char* caption;
        const char* tooltip;
        const char* value;
    };
    const Pair pairs[3][4] = {
        {{"Label19", "T1", "第一切线长", "Label65"},
         {"Label20", "T2", "第二切线长", "Label66"},
         {"Label21", "βo1", "切线角", "Label67"},
         {"Label28", " E", "外失距", "Label68"}},
        {{"Label22", "p1", "内移值", "Label69"},
         {"Label23", "p2", "内移值", "Label70"},
         {"Label24", "βo2", "切线角", "Label71"},
         {"Label29", " L", "曲线长", "Label72"}},
        {{"Label25", "q1", "切线增值", "Label73"},
         {"Label26", "q2", "切线增值", "Label74"},
         {"Label27", "Dh", "切曲差", "Label75"},
         {"Label30", "Ly", "圆曲线长", "Label76"}},
    };
    const int valueX[4] = {56, 152, 256, 352}, valueW[4] = {60, 60, 52, 64};
    for (int row = 0; row < 3; ++row) {
        const int y = 32 + 24 * row;
        const int nameX[4] = {24, 120, row == 2 ? 224 : 216, 312};
        for (int col = 0; col < 4; ++col) {
            const Pair& p = pairs[row][col];
            c.push_back(Label(p.name, "Frame3", QRect(nameX[col], y, 30, 18), p.caption, p.tooltip));
            c.push_back(Label(p.value, "Frame3", QRect(valueX[col], y, valueW[col], 18)));
        }
    }

    // The single-point forward result.
    c.push_back(Frame("Frame5", "坐标正算", QRect(200, 360, 425, 89)));
    c.push_back(Rules("Frame5Rules", "Frame5", {24, 144, 272, 417}, {28, 52, 80}));
    c.push_back(Label("Label34", "Frame5", QRect(40, 32, 100, 18), "计算坐标N(X)", "正算结果坐标X"));
    c.push_back(Label("Label35", "Frame5", QRect(152, 32, 116, 18), "计算坐标E(Y)", "正算结果坐标Y"));
    c.push_back(Label("Label36", "Frame5", QRect(280, 32, 129, 18), "切线方位角F(°ˊ″)", "切线方位角"));
    c.push_back(Label("Label77", "Frame5", QRect(32, 56, 108, 18)));
    c.push_back(Label("Label78", "Frame5", QRect(152, 56, 116, 18)));
    c.push_back(Label("Label79", "Frame5", QRect(280, 56, 129, 18)));

    // The inverse result.
    c.push_back(Frame("Frame7", "坐标反算", QRect(200, 456, 425, 57)));
    c.push_back(Rules("Frame7Rules", "Frame7", {24, 104, 224, 312, 417}, {18, 46}));
    c.push_back(Label("Label43", "Frame7", QRect(32, 24, 68, 18), "桩号(K)", "反算结果里程桩号"));
    c.push_back(Label("Label80", "Frame7", QRect(112, 24, 108, 18)));
    c.push_back(Label("Label44", "Frame7", QRect(232, 24, 76, 18), "偏距(m)",
                      "反算结果偏距，负数为偏左、正数为偏右。"));
    c.push_back(Label("Label81", "Frame7", QRect(320, 24, 92, 18)));

    // The continuous results box.
    c.push_back(Frame("Frame9", "坐标计算", QRect(200, 8, 425, 505)));
    c.push_back(Label("Label40", "Frame9", QRect(160, 16, 120, 18), "曲线坐标计算表"));
    c.push_back({K::ResultsBox, "Text12", "Frame9", QRect(8, 40, 409, 433), {}, {}, {}, {}});
    c.push_back(Label("Label82", "Frame9", QRect(48, 480, 370, 18),
                      "提示：计算完毕后点击“保存数据”可导出到文本文档中。"));

    // Buttons: two of them share each place, one per mode.
    c.push_back(Button("Command1", 8, 456, "计算要素"));
    c.push_back(Button("Command8", 8, 456, "曲线要素"));
    c.push_back(Button("Command2", 104, 456, "点击计算"));
    c.push_back(Button("Command4", 104, 456, "点击计算"));
    c.push_back(Button("Command6", 104, 456, "点击计算"));
    c.push_back(Button("Command5", 8, 488, "保存数据"));
    c.push_back(Button("Command7", 8, 488, "保存数据"));
    c.push_back(Button("Command3", 104, 488, "清空要素"));

    c.push_back({K::Hidden, "txtFileName", {}, QRect(0, 0, 89, 18), kInitialFileName, {}, {}, {}});
    return c;
}

QWidget* Create(const ControlDef& s, QWidget* parent)
{
    switch (s.kind) {
    case K::Frame: return new FrameBox(s.text, parent);
    case K::Label: {
        auto* label = new QLabel(s.text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case K::Box:
    case K::Hidden: {
        auto* box = new QLineEdit(s.text, parent);
        box->setTextMargins(0, 0, 0, 0);
        return box;
    }
    case K::ResultsBox: {
        auto* box = new QPlainTextEdit(parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        // The results are replaced as a whole; keeping an undo copy of a
        // large table would double its memory for nothing.
        box->setUndoRedoEnabled(false);
        return box;
    }
    case K::Option: return new QRadioButton(s.text, parent);
    case K::Button: return new QPushButton(s.text, parent);
    case K::Rules: return new RuledGrid(s.columns, s.rows, parent);
    }
    return nullptr;
}

}  // namespace

const std::vector<ControlDef>& MainFormControls()
{
    static const std::vector<ControlDef> controls = MakeControls();
    return controls;
}

const std::vector<QString>& MainFormTabOrder()
{
    static const std::vector<QString> order = {
        "Text1",    "Text2",    "Text3",    "Text4",    "Text5",    "Text6",    "Text7",
        "Text8",    "Text41",   "Text42",   "Text43",   "Text47",   "Text48",   "Option1",
        "Option2",  "Option3",  "Option4",  "Text9",    "Text10",   "Text11",   "Text12",
        "Command6", "Command2", "Command4", "Command1", "Command8", "Command5", "Command7",
        "Command3",
    };
    return order;
}

void BuildMainForm(QWidget* client)
{
    client->setFixedSize(kClientWidth, kClientHeight);
    QHash<QString, QWidget*> made;
    for (const ControlDef& s : MainFormControls()) {
        QWidget* parent = s.parent.isEmpty() ? client : made.value(s.parent);
        Q_ASSERT(parent);
        QWidget* w = Create(s, parent);
        w->setObjectName(s.name);
        // A ruled grid covers its whole frame, which exists (and has its
        // size) before its contents.
        if (s.kind == K::Rules)
            w->setGeometry(0, 0, parent->width(), parent->height());
        else
            w->setGeometry(s.rect);
        if (!s.tooltip.isEmpty()) w->setToolTip(s.tooltip);
        if (s.heading) w->setFont(HeadingFont());
        if (s.kind == K::Hidden) w->hide();
        made.insert(s.name, w);
    }
    const auto& order = MainFormTabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(made.value(order[i - 1]), made.value(order[i]));
}

}  // namespace tarvelo
