#pragma once
// Floating-point faults.
//
// C++ does not trap on overflow, division by zero or invalid operations, so
// every arithmetic step of the engine checks its result and throws FloatFault
// when it is not finite. The command that ran the step ends there; whatever it
// wrote before the faulting step stays written.

#include <cmath>
#include <stdexcept>
#include <string>

namespace tarvelo {

class FloatFault : public std::runtime_error {
public:
    // quantity: the name of the value whose computation faulted, as the
    // surveyor knows it ("T1", "桩号K", "偏角a" ...). what() is a complete
    // Chinese sentence fit for a message box.
    explicit FloatFault(const std::string& quantity);
    const std::string& quantity() const { return quantity_; }

private:
    std::string quantity_;
};

// Returns v when it is finite; throws FloatFault(quantity) otherwise.
// quantity must be a string literal (kept by pointer only on the fault path).
inline double Checked(double v, const char* quantity)
{
    if (!std::isfinite(v)) throw FloatFault(quantity);
    return v;
}

}  // namespace tarvelo
