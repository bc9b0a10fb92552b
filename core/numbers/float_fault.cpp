#include "core/numbers/float_fault.h"

namespace tarvelo {

FloatFault::FloatFault(const std::string& quantity)
    : std::runtime_error("计算出错：计算“" + quantity +
                         "”时发生浮点运算溢出或无效运算，计算已中止。请检查输入数据！"),
      quantity_(quantity)
{
}

}  // namespace tarvelo
