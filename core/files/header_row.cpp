#include "core/files/header_row.h"

#include "core/numbers/station_text.h"

namespace tarvelo {

std::string HeaderKey(std::string_view field)
{
    std::string key(field);
    for (const char* bracket : {"(", "（", "[", "【"}) {
        const std::size_t at = key.find(bracket);
        if (at != std::string::npos) key.erase(at);
    }
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    while (!key.empty() && (key.front() == ' ' || key.front() == '\t')) key.erase(key.begin());
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return key;
}

int HeaderColumn(const TableLine& row, const std::vector<std::string_view>& words)
{
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string key = HeaderKey(row.fields[i]);
        for (std::string_view w : words)
            if (key == w) return int(i);
    }
    return -1;
}

bool HoldsHeaderWords(const TableLine& row, const std::vector<std::string_view>& words)
{
    return HeaderColumn(row, words) >= 0;
}

bool IsHeaderRow(const TableLine& row, const std::vector<std::string_view>& words)
{
    if (!HoldsHeaderWords(row, words)) return false;
    for (const std::string& f : row.fields) {
        double v = 0;
        if (ReadStationField(f, &v)) return false;
    }
    return true;
}

const std::vector<std::string_view>& TableColumnWords()
{
    static const std::vector<std::string_view> words = {
        // names
        "点名", "点号", "桩名", "名称", "name", "point", "id", "pt", "交点", "交点号", "jd", "编码", "code", "代码",
        // stations
        "桩号", "里程", "里程桩号", "station", "chainage", "交点桩号", "变坡点桩号", "断前桩号", "断后桩号",
        // coordinates and elevations
        "x", "y", "n", "e", "北", "东", "北坐标", "东坐标", "x坐标", "y坐标", "north", "east", "northing",
        "easting", "高程", "设计高程", "标高", "h", "z", "elevation", "height", "高程h",
        // curves and elements
        "r", "半径", "ls1", "ls2", "ls", "缓和曲线长", "长度", "length", "方位角", "azimuth", "起点半径",
        "终点半径", "转向", "竖曲线半径", "线元长度", "线元长",
        // roadbed templates
        "起始桩号", "侧", "部位", "参数1", "参数2", "参数3", "参数4", "side", "part", "p1", "p2", "p3", "p4",
        // cross sections and zones
        "左幅宽度", "右幅宽度", "左侧横坡", "右侧横坡", "左横坡%", "右横坡%", "左横坡", "右横坡", "分区", "区段",
        "断链区", "zone",
    };
    return words;
}

}  // namespace tarvelo
