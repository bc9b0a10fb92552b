#include "cli/curve_source.h"

namespace tarvelo {

CurveLoad LoadCurveTexts(const std::string& path)
{
    CurveLoad r;
    r.error = "暂不能读取曲线数据文件：" + path;
    return r;
}

}  // namespace tarvelo
