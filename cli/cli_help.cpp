#include "cli/cli_help.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>

#include <set>

#include "tarvelo_version.h"

namespace tarvelo {

namespace {

struct CommandHelp {
    const char* name;      // as typed after tarvelo-cli
    const char* synopsis;  // without "tarvelo-cli "
    const char* summary;
    const char* options;   // one option a line, indented
};

// Option lines shared by several subcommands.
#define TARVELO_CURVE_OPTION                                                              \
    "  --curve FILE      曲线数据文件（窗口“导出数据”写出的八行文件，GBK 或 UTF-8）；\n" \
    "                    不给出时使用窗口的默认曲线\n"
#define TARVELO_JSON_OPTION "  --json            输出一个 JSON 对象，数值为可往返的完整精度\n"
#define TARVELO_ROUTE_OPTION                                                          \
    "  --route FILE      路线文件：交点法（起点 QD、各交点 JD、终点 ZD 的坐标和桩号，\n"       \
    "                    交点的半径 R 与缓和曲线长 Ls1、Ls2）或线元法（表头含 length 列，\n"   \
    "                    每行一个直线、圆曲线或回旋线线元）\n"                               \
    "  --spiral exact|series\n"                                                         \
    "                    交点法的缓和曲线：exact 精确回旋线（默认），series 与主窗口一致的级数\n"  \
    "  --breaks FILE     断链表：断前桩号,断后桩号[,名称]；给出时所有桩号按断链后的桩号读写\n"
#define TARVELO_STAKEOUT_OPTIONS                                                              \
    "  --instrument X,Y[,H]  全站仪测站的坐标（及测站高程）\n"                              \
    "  --backsight X,Y   后视点坐标；或 --backsight-azimuth A 后视方位角（d.mmss）\n"          \
    "  --instrument-height h, --target-height t\n"                                          \
    "                    仪器高、棱镜高，单位米；给出测站高程和仪器高时另求高差\n"
#define TARVELO_STAKE_OPTIONS                                                   \
    "  --offset M        偏距，单位米，左为负、右为正；默认 0\n"                    \
    "  --skew A          偏角，d.mmss，自前进方向顺时针量；90 为正交；默认 90\n"

#define TARVELO_SHOT_OPTIONS                                                                   \
    "  --x X             实测点的 X（北）坐标\n"                                              \
    "  --y Y             实测点的 Y（东）坐标\n"                                              \
    "  --z Z             实测点的高程\n"                                                      \
    "  --points FILE     实测点文件：点名,X,Y,H 或 CASS 坐标数据（点名,编码,Y,X,H）\n" TARVELO_JSON_OPTION \
    "  --format csv|xlsx 将各点写成 csv 文件或 Excel 工作簿（与 --out 一起给出）\n"          \
    "  --out FILE        csv 或 xlsx 文件的路径\n"

const CommandHelp kCommands[] = {
    {"elements", "elements [--curve FILE] [--json] [--report FILE]",
     "计算曲线要素：五大桩 ZH、HY、QZ、YH、HZ 的桩号、坐标和切线方位角，\n"
     "以及切线长、曲线长、外矢距等曲线参数（与窗口的“计算要素”相同）。",
     TARVELO_CURVE_OPTION TARVELO_JSON_OPTION
     "  --report FILE     另将要素表写入该文件（GBK，CR LF）\n"},
    {"point", "point [--curve FILE] --station K [--offset M] [--skew A] [--json]",
     "坐标正算（单点）：求桩号 K 处、给定偏距和偏角的放样点坐标 X、Y\n"
     "和中线在该桩号的切线方位角。",
     TARVELO_CURVE_OPTION
     "  --station K       计算桩号，单位米（10+021.359 写作 10021.359）\n"
     "  --offset M        偏距，单位米，左为负、右为正；默认 0\n"
     "  --skew A          偏角，d.mmss，自前进方向顺时针量；90 为正交；\n"
     "                    不给出时只算中桩，偏距不起作用\n" TARVELO_JSON_OPTION},
    {"table",
     "table [--curve FILE] --start S --end E --interval J [--offset M] [--skew A]\n"
     "                    [--json] [--report FILE]",
     "坐标正算（连续计算）：自起点桩号 S 至止点桩号 E 每隔 J 米一个桩的坐标表，\n"
     "与窗口的连续计算相同（至多 1000000 行）。",
     TARVELO_CURVE_OPTION
     "  --start S         起点桩号，单位米\n"
     "  --end E           止点桩号，单位米\n"
     "  --interval J      计算间距，单位米，不能为 0\n" TARVELO_STAKE_OPTIONS TARVELO_JSON_OPTION
     "  --report FILE     另将成果表写入该文件（GBK，CR LF）\n"},
    {"inverse", "inverse [--curve FILE] --x X --y Y [--json]",
     "坐标反算（单点）：求坐标 X、Y 的点所在的桩号和偏距（左为负、右为正）。",
     TARVELO_CURVE_OPTION
     "  --x X             点的坐标 X（北），单位米\n"
     "  --y Y             点的坐标 Y（东），单位米\n" TARVELO_JSON_OPTION},
    {"export-curve", "export-curve [--curve FILE] --out FILE",
     "写出曲线数据文件（八行，GBK，CR LF），与窗口“导出数据”写出的相同，\n"
     "可再用 --curve 读入。",
     TARVELO_CURVE_OPTION "  --out FILE        要写出的文件\n"},
    {"route elements", "route elements --route FILE [--json] [--report FILE] [--format xlsx --out FILE]",
     "整条路线的曲线要素：交点法为每个交点的曲线参数，线元法为每个线元；\n"
     "以及各主点的桩号、坐标。",
     TARVELO_ROUTE_OPTION TARVELO_JSON_OPTION
     "  --report FILE     另将要素表写入该文件（GBK，CR LF）\n"
     "  --format xlsx     将各表写成 Excel 工作簿（每表一个工作表）\n"
     "  --out FILE        Excel 工作簿的文件名\n"},
    {"route point",
     "route point --route FILE --station K [--offset M] [--skew A] [--profile FILE] [--json]",
     "路线上的坐标正算（单点）：求桩号 K 处放样点的坐标和切线方位角；\n"
     "给出纵断面时同时求设计高程。",
     TARVELO_ROUTE_OPTION "  --station K       计算桩号，单位米\n"
     "  --zone N          有断链时桩号所在的区段（0 为第一个断链之前）\n" TARVELO_STAKE_OPTIONS
     TARVELO_STAKEOUT_OPTIONS
     "  --profile FILE    纵断面文件（变坡点的桩号、高程和竖曲线半径）\n" TARVELO_JSON_OPTION},
    {"route table",
     "route table --route FILE --interval J [--start S] [--end E] [--offset M] [--skew A]\n"
     "                          [--no-main-points] [--profile FILE] [--format text|csv|dat|json|xlsx]\n"
     "                          [--out FILE] [--json]",
     "路线的逐桩坐标表：每隔 J 米一个桩，并插入各曲线的主点桩。",
     TARVELO_ROUTE_OPTION
     "  --interval J      计算间距，单位米，不能为 0\n"
     "  --start S         起点桩号，单位米；默认路线起点\n"
     "  --end E           止点桩号，单位米；默认路线终点\n"
     "  --start-zone N, --end-zone N\n"
     "                    有断链时起止桩号所在的区段\n" TARVELO_STAKE_OPTIONS
     "  --no-main-points  不插入主点桩，只列等间距的桩\n"
     "  --profile FILE    纵断面文件；给出时表中加设计高程\n"
     "  --format text|csv|dat|json|xlsx\n"
     "                    表的格式：text 文本表（默认）、csv、dat（CASS 坐标数据）、json\n"
     "                    或 xlsx（Excel 工作簿，须用 --out 给出文件）\n"
     "  --out FILE        将表写入该文件，而不是标准输出\n" TARVELO_STAKEOUT_OPTIONS
     "  --report FILE     给出测站时另将放样数据表写入该文件（GBK，CR LF）\n"
     "                    给出测站时，text、json 和 csv 的每行另有方位角、水平角、平距和高差；\n"
     "                    dat（CASS）与 text --out（逐桩坐标表）没有这些栏，须同时给出 --report\n"
     TARVELO_JSON_OPTION},
    {"route inverse", "route inverse --route FILE (--x X --y Y | --points FILE [--profile FILE] [--format xlsx --out FILE]) [--json]",
     "路线上的坐标反算：求点所在的桩号和偏距（左为负、右为正）。\n"
     "单点用 --x、--y，多点用 --points；读入的点数写到标准错误。",
     TARVELO_ROUTE_OPTION
     "  --x X             点的坐标 X（北），单位米\n"
     "  --y Y             点的坐标 Y（东），单位米\n"
     "  --points FILE     点文件，按内容识别：每行 点名,X,Y[,H]（可有表头，表头按列名定列；\n"
     "                    只有两列时为 X,Y，以行号为点名），或 CASS 的 点名,编码,Y,X,H\n"
     "  --profile FILE    纵断面文件；给出时另列垂足处的设计高程和高差（点的高程减设计高程）\n"
     "  --format xlsx     将各点的反算结果写成 Excel 工作簿\n"
     "  --out FILE        Excel 工作簿的文件名\n" TARVELO_JSON_OPTION},
    {"route profile", "route profile --route FILE --profile FILE [--json] [--report FILE]",
     "纵断面计算：各变坡点的竖曲线要素（切线长、外距、起终点桩号和高程）。",
     TARVELO_ROUTE_OPTION
     "  --profile FILE    纵断面文件（变坡点的桩号、高程和竖曲线半径）\n" TARVELO_JSON_OPTION
     "  --report FILE     另将竖曲线要素表写入该文件（GBK，CR LF）\n"},
    {"route export", "route export --route FILE --format landxml|dxf --out FILE [--interval J] [--profile FILE]",
     "将路线中线写成 LandXML 或 DXF 文件，供其他测量和绘图软件读入。",
     TARVELO_ROUTE_OPTION
     "  --format landxml|dxf\n"
     "                    输出格式\n"
     "  --out FILE        要写出的文件\n"
     "  --interval J      取点间距，单位米\n"
     "  --profile FILE    纵断面文件；给出时 LandXML 文件中另写纵断面\n"},
    {"route sections",
     "route sections --route FILE --sections FILE --interval J [--start S] [--end E] [--profile FILE]\n"
     "                          [--transition linear|cubic] [--skew A] [--format text|csv|dat|json|xlsx] [--json]\n"
     "                          [--out FILE] [--instrument X,Y[,H] --backsight X,Y] [--report FILE]",
     "边桩计算：按横断面表（超高、加宽）求每个桩的中桩和左右边桩的坐标与设计高程；\n"
     "给出测站和后视时另求放样的方位角、水平角和平距。",
     TARVELO_ROUTE_OPTION
     "  --sections FILE   横断面表：桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n"
     "  --interval J      计算间距，单位米\n"
     "  --start S         起点桩号；默认路线起点\n"
     "  --end E           止点桩号；默认路线终点\n"
     "  --profile FILE    纵断面文件；给出时求中桩和边桩的设计高程\n"
     "  --transition linear|cubic\n"
     "                    两行之间的过渡：linear 线性（默认），cubic 三次抛物线\n"
     "  --skew A          边桩方向，d.mmss，自前进方向顺时针量；默认 90\n"
     "  --format text|csv|dat|json|xlsx\n"
     "                    输出格式；dat 为 CASS 坐标数据，每桩三点（-L、-C、-R）；\n"
     "                    xlsx 为 Excel 工作簿，须用 --out 给出文件\n"
     "  --out FILE        写入该文件\n" TARVELO_STAKEOUT_OPTIONS
     "  --json            同 --format json\n"
     "  --report FILE     另将放样数据表写入该文件（GBK，CR LF）\n"},
    {"route check",
     "route check --route FILE --design FILE [--breaks FILE] [--profile FILE] [--tolerance T]\n"
     "                          [--tolerance-z T] [--json] [--report FILE] [--format csv|xlsx --out FILE]",
     "设计复核：用本程序算出的中桩核对设计的逐桩坐标表，逐行给出坐标差、平距差、\n"
     "高程差和垂足桩号、偏距，并判定相符、桩号错、坐标错、高程错、超出路线或无法读取。\n"
     "全部相符时退出码为 0，有不相符的行时为 3。",
     TARVELO_ROUTE_OPTION
     "  --design FILE     设计逐桩坐标表：点名,桩号,X,Y[,高程]（可有区段列）\n"
     "  --profile FILE    纵断面文件；给出且表中有高程时核对高程\n"
     "  --tolerance T     平面限差，单位米；默认 0.005\n"
     "  --tolerance-z T   高程限差，单位米；默认 0.005\n" TARVELO_JSON_OPTION
     "  --report FILE     另将复核表写入该文件（GBK，CR LF）\n"
     "  --format csv|xlsx --out FILE\n"
     "                    将各行写成 CSV 文件或 Excel 工作簿\n"},
    {"route slope",
     "route slope --route FILE --profile FILE --template FILE [--sections FILE] [--breaks FILE]\n"
     "                          (--x X --y Y --z Z | --points FILE) [--json | --format csv|xlsx --out FILE]\n"
     "                          [--report FILE]",
     "边坡放样：对每个实测地面点，由最近垂足求桩号、偏距和左右侧，按该点高程判定填方或挖方，\n"
     "求路基边缘的偏距和高程，以及以该点高程为地面时的坡脚（填方）或坡口（挖方）：偏距、坐标、\n"
     "高程和所在边坡级数，并给出立尺点应向外或向内移动的距离；另给出该点偏距处边坡的设计高程\n"
     "和高差。挖方自边沟外侧沟顶起向外找坡口。",
     TARVELO_ROUTE_OPTION
     "  --profile FILE    纵断面文件（中桩设计高程）\n"
     "  --template FILE   路基模板：起始桩号,侧,部位,参数1,参数2,参数3,参数4；部位为路肩、边沟、\n"
     "                    挖方、填方\n"
     "  --sections FILE   横断面表（路面宽度和横坡）；不给出时路基顶面只由模板的路肩组成\n"
     TARVELO_SHOT_OPTIONS
     "  --report FILE     另将边坡放样记录写入该文件（GBK，CR LF）\n"},
    {"route level",
     "route level --route FILE --profile FILE [--sections FILE] [--template FILE] [--breaks FILE]\n"
     "                          [--depth D] [--tolerance-z T] (--x X --y Y --z Z | --points FILE)\n"
     "                          [--json | --format csv|xlsx --out FILE] [--report FILE]",
     "高程检测：对每个实测点求桩号、偏距和该处的设计高程，给出高差（实测减设计）、高或低，\n"
     "以及是否在限差之内。路基顶面以内按路面设计高程减去检测层深度，路基边缘以外按该点高程\n"
     "所在的填方或挖方边坡（需要 --template）。全部合格时退出码为 0，否则为 3。",
     TARVELO_ROUTE_OPTION
     "  --profile FILE    纵断面文件（中桩设计高程）\n"
     "  --sections FILE   横断面表（路面宽度和横坡）\n"
     "  --template FILE   路基模板；给出时路基顶面含路肩，路基边缘以外按边坡检测\n"
     "  --depth D         检测层在路面以下的深度，单位米（路床顶、基层顶）；默认 0\n"
     "  --tolerance-z T   高程限差，单位米；默认 0.010\n"
     TARVELO_SHOT_OPTIONS
     "  --report FILE     另将高程检测表写入该文件（GBK，CR LF）\n"},
    {"route ground",
     "route ground --route FILE --points FILE (--interval J | --stations FILE) [--band B] [--breaks FILE]\n"
     "                          [--format csv|hdm|hdm-relative|xlsx] [--out FILE] [--centre-ground-out FILE] [--json]",
     "横断面地面线：把 RTK 实测点按最近垂足归入离它最近的断面桩号（沿线相距不超过带宽），\n"
     "偏距取垂足偏距，高程不变；每个断面的点按偏距排序，偏距相差不到 1 mm 的后一点不用。\n"
     "未归入断面的点（超出线路、离断面太远、位于两断面正中、无高程）都列出原因。",
     TARVELO_ROUTE_OPTION
     "  --points FILE     实测点文件：点名,X,Y,H 或 CASS 坐标数据（点名,编码,Y,X,H）\n"
     "  --interval J      断面间距：各区段内 J 的整倍数桩号（与 route table 相同）\n"
     "  --stations FILE   断面桩号文件，每行一个桩号（可带“(1区)”）\n"
     "  --band B          点离断面的最大沿线距离，单位米；默认 0.5\n"
     "  --format csv|hdm|hdm-relative|xlsx\n"
     "                    输出格式：桩号,偏距,高程（默认）；BEGIN 断面格式；相对平距,高差格式；\n"
     "                    xlsx 为 Excel 工作簿，须用 --out 给出文件\n"
     "  --out FILE        写入该文件，不给出时写到标准输出\n"
     "  --centre-ground-out FILE\n"
     "                    另写出各断面的中桩地面高程（桩号,高程），相对格式读入时要用\n" TARVELO_JSON_OPTION},
    {"route earthwork",
     "route earthwork --route FILE --profile FILE --template FILE --ground FILE [--sections FILE]\n"
     "                          [--centre-ground FILE] [--breaks FILE] [--depth D] [--start S --end E]\n"
     "                          [--json | --format csv|dat|xlsx --out FILE] [--report FILE]",
     "土石方：对每个地面线断面按路基边缘处的地面定填挖，求两侧坡脚或坡口（偏距、坐标、高程），\n"
     "设计线与地面线之间的挖方面积和填方面积；相邻断面之间按平均断面法计算挖方、填方数量\n"
     "（距离为沿线距离，跨断链亦然）并累计。有问题的断面不计面积，其两侧区间不计数量，\n"
     "此时退出码为 3。",
     TARVELO_ROUTE_OPTION
     "  --profile FILE    纵断面文件（中桩设计高程）\n"
     "  --template FILE   路基模板：起始桩号,侧,部位,参数1,参数2,参数3,参数4\n"
     "  --ground FILE     横断面地面线：桩号,偏距,高程；BEGIN 断面格式（.hdm）；或相对格式（.hdm）\n"
     "  --centre-ground FILE\n"
     "                    中桩地面高程（桩号,高程），读相对格式时需要\n"
     "  --sections FILE   横断面表（路面宽度和横坡）；不给出时路基顶面只由模板的路肩组成\n"
     "  --depth D         路槽深度，单位米：路面宽度内设计线降低 D，两侧为竖直边\n"
     "  --start S --end E 只计算这一段的断面\n" TARVELO_JSON_OPTION
     "  --format csv|dat|xlsx --out FILE\n"
     "                    写成 CSV 表、Excel 工作簿，或坡脚、坡口的 CASS 坐标数据文件\n"
     "  --report FILE     另将土石方数量表写入该文件（GBK，CR LF）\n"},
    {"route import-landxml",
     "route import-landxml --in FILE (--out FILE | --list) [--alignment NAME] [--profile-out FILE]\n"
     "                          [--breaks-out FILE]",
     "读入 LandXML 文件中的路线中线，写成本程序的路线文件：能按交点法重建的写成交点文件，\n"
     "其余（卵形曲线、切线不完全连续等）写成线元文件。文件中有多条线形时用 --alignment 指定。",
     "  --in FILE         要读入的 LandXML 文件\n"
     "  --out FILE        要写出的路线文件（交点文件或线元文件）\n"
     "  --list            只列出文件中的各条线形：名称、长度、元素个数\n"
     "  --alignment NAME  要导入的线形名称\n"
     "  --profile-out FILE\n"
     "                    另将该线形的纵断面写成纵断面文件\n"
     "  --breaks-out FILE 另将该线形的断链（StaEquation）写成断链表；有断链时必须给出\n"},
};

#undef TARVELO_CURVE_OPTION
#undef TARVELO_JSON_OPTION
#undef TARVELO_ROUTE_OPTION
#undef TARVELO_STAKE_OPTIONS
#undef TARVELO_SHOT_OPTIONS

const char* const kNotations =
    "角度按 d.mmss 输入（152°09′41.68″ 写作 152.094168），桩号和距离以米为单位\n"
    "（10+021.3590 写作 10021.359）。\n";

const char* const kExitStatuses =
    "退出状态：0 成功；1 用法、文件或计算错误；2 曲线数据未通过窗口的输入检查。\n"
    "出错时标准输出为空，说明写到标准错误。\n";

std::string Synopses(const std::string& prefix)
{
    std::string text;
    for (const CommandHelp& c : kCommands) {
        const std::string name = c.name;
        if (name.rfind(prefix, 0) == 0) text += std::string("  tarvelo-cli ") + c.synopsis + "\n";
    }
    return text;
}

// Options that take the next word as their value (for finding the
// subcommand words around --help).
const std::set<std::string>& ValueOptions()
{
    static const std::set<std::string> names = {
        "curve", "station", "offset", "skew", "start", "end",    "interval", "x",
        "y",     "report",  "out",    "route", "profile", "points", "format", "in", "spiral", "design", "tolerance", "tolerance-z", "breaks", "zone",
        "start-zone", "end-zone", "sections", "transition", "instrument", "backsight", "backsight-azimuth",
        "instrument-height", "target-height", "breaks-out", "template", "depth", "z"};
    return names;
}

bool IsHelpFlag(const std::string& a) { return a == "--help" || a == "-h" || a == "-help"; }

}  // namespace

std::string ShortUsage()
{
    return "用法：\n" + Synopses("") + "  tarvelo-cli --help 显示详细说明\n";
}

std::string GeneralUsage()
{
    std::string text = "用法：tarvelo-cli 子命令 [选项]\n\n";
    text += "单曲线（缓和曲线 + 圆曲线 + 缓和曲线），与窗口的计算相同：\n";
    for (const CommandHelp& c : kCommands)
        if (std::string(c.name).rfind("route ", 0) != 0)
            text += std::string("  tarvelo-cli ") + c.synopsis + "\n";
    text += "\n整条路线（交点法或线元法）：\n" + Synopses("route ");
    text += "\n  tarvelo-cli --help            显示本说明\n"
            "  tarvelo-cli 子命令 --help     显示该子命令的说明\n"
            "  tarvelo-cli --version         显示版本\n\n";
    text += std::string(kNotations) + kExitStatuses;
    return text;
}

std::optional<std::string> CommandUsage(const std::string& command)
{
    if (command == "route")
        return "用法：\n" + Synopses("route ") +
               "\n整条路线（交点法或线元法）的计算。tarvelo-cli route 子命令 --help 显示该子命令的说明。\n";
    for (const CommandHelp& c : kCommands) {
        if (command != c.name) continue;
        return std::string("用法：tarvelo-cli ") + c.synopsis + "\n\n" + c.summary + "\n\n选项：\n" +
               c.options + "\n" + kNotations;
    }
    return std::nullopt;
}

std::optional<std::string> UsageFor(const std::vector<std::string>& args)
{
    bool asked = false;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (IsHelpFlag(a)) {
            asked = true;
        } else if (!a.empty() && a[0] == '-') {
            const std::size_t start = a.find_first_not_of('-');
            if (start != std::string::npos && ValueOptions().count(a.substr(start)))
                ++i;  // its value is not a word
        } else {
            words.push_back(a);
        }
    }
    if (!asked) return std::nullopt;
    if (words.empty()) return GeneralUsage();
    if (words[0] == "route" && words.size() > 1) {
        if (auto usage = CommandUsage("route " + words[1])) return usage;
        return CommandUsage("route");
    }
    if (auto usage = CommandUsage(words[0])) return usage;
    return GeneralUsage();
}

bool AsksForVersion(const std::vector<std::string>& args)
{
    return args.size() == 1 && args[0] == "--version";
}

std::string VersionText() { return std::string("tarvelo-cli ") + TARVELO_VERSION + "\n"; }

std::string ParseErrorMessage(const QCommandLineParser& parser, const std::vector<std::string>& args)
{
    // The option as typed: the argument whose name, without its dashes and
    // any "=value", is `name`.
    const auto typed = [&args](const QString& name) {
        for (const std::string& a : args) {
            if (a.empty() || a[0] != '-') continue;
            const std::string bare = a.substr(0, a.find('='));
            const std::size_t start = bare.find_first_not_of('-');
            if (start != std::string::npos && bare.substr(start) == name.toStdString()) return bare;
        }
        return "--" + name.toStdString();
    };
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        std::string names;
        for (const QString& name : unknown) names += (names.empty() ? "" : "、") + typed(name);
        return "未知的选项：" + names + "。";
    }
    // The parser words its other two complaints in English; its wording is
    // matched only to find the option, which it quotes as typed.
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
    static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
    const QString error = parser.errorText();
    if (const auto m = missing.match(error); m.hasMatch())
        return "选项 " + m.captured(1).toStdString() + " 缺少值。";
    if (const auto m = unexpected.match(error); m.hasMatch())
        return "选项 " + m.captured(1).toStdString() + " 不带值。";
    return "无法识别命令行参数。";
}

}  // namespace tarvelo
