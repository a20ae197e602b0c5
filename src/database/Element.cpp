#include "database/Element.h"

#include <utility>

Element::Element(int32_t atomicNumber, int32_t spare1, int32_t spare2, int32_t row, int32_t column,
                 std::string name, double ratio)
    : atomicNumber(atomicNumber),
      spare1(spare1),
      spare2(spare2),
      name(std::move(name)),
      row(row),
      column(column),
      ratio(ratio)
{
}
