#include "brevo/data_copy.h"

#include "fm/objects.h"

namespace brevo {

void copyData(const FM_Data* source, FM_Data* target) {
  switch (fm::nativeType(source)) {
    case FM_TYPE_TEXT:
      fm::setText(target, fm::asText(source), fm::locale(source));
      return;
    case FM_TYPE_NUMBER:
    case FM_TYPE_BOOLEAN:
      fm::setNumber(target, fm::asNumber(source), FM_TYPE_NUMBER);
      return;
    case FM_TYPE_DATE:
      fm::setDate(target, fm::asDate(source));
      return;
    case FM_TYPE_TIME:
      fm::setTime(target, fm::asTime(source));
      return;
    case FM_TYPE_TIMESTAMP:
      fm::setTimestamp(target, fm::asTimestamp(source));
      return;
    case FM_TYPE_CONTAINER:
      fm::setBinaryData(target, fm::binaryData(source), true);
      return;
    default:
      return;
  }
}

}  // namespace brevo
