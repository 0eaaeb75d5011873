#include "ui/calculation_memory.h"

namespace corvanet {

std::string LastCalculation::StaleNote() const
{
    if (!cancelledSince || !outcome) return {};
    return "最近一次计算在输入时已取消，这里是上一次计算的结果。";
}

}  // namespace corvanet
