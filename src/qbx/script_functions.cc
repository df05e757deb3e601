// Quibo_DoFileMakerScript: a script of the current file, started at the next idle moment, after
// a delay or at a time.
#include "brevo/file_maker_script.h"
#include "brevo/script_scheduler.h"
#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "vesk/exception.h"

namespace qbx {

namespace {

constexpr double kOneDay = 86400.0;

// When the script is to start, and which parameter says it.
struct When {
  enum class Kind { Now, After, At } kind = Kind::Now;
  uint32_t parameter = 0;  // the parameter that gives the delay or the time
};

int16_t doFileMakerScript(const FM_ExprEnv* environment, const FM_DataVect* parameters,
                          FM_Data* result) {
  const uint32_t count = fm::size(parameters);
  if (count == 0) vesk::fail(kBadParameter, "Not enough parameters (define at least script name)");

  const fm::Text fileName = brevo::FileMakerScript::getCurrentFileName(environment);
  const FM_Text* scriptName = fm::textAt(parameters, 0);
  const FM_Data* scriptParameter = nullptr;
  When when;
  if (count == 2) {
    switch (fm::nativeType(fm::at(parameters, 1))) {
      case FM_TYPE_NUMBER:
        when = {When::Kind::After, 1};
        break;
      case FM_TYPE_TIMESTAMP:
        when = {When::Kind::At, 1};
        break;
      default:
        scriptParameter = fm::at(parameters, 1);
    }
  } else if (count >= 3) {
    scriptParameter = fm::at(parameters, 1);
    switch (fm::nativeType(fm::at(parameters, 2))) {
      case FM_TYPE_TEXT:
      case FM_TYPE_NUMBER:
        when = {When::Kind::After, 2};
        break;
      case FM_TYPE_TIMESTAMP:
        when = {When::Kind::At, 2};
        break;
      default:
        vesk::fail(kBadParameter, "Third parameter must be number of timestamp");
    }
  }

  // Without a parameter the script gets an empty one of its own.
  auto script = brevo::FileMakerScript::create(environment, fileName, scriptName,
                                               brevo::ScriptControl::Halt, scriptParameter);
  auto scheduler = brevo::ScriptScheduler::instance();
  double ahead = 0;
  switch (when.kind) {
    case When::Kind::Now:
      scheduler->scheduleNow(script);
      break;
    case When::Kind::After: {
      const FM_FixPt* delay = fm::numberAt(parameters, when.parameter);
      scheduler->scheduleAfter(script, delay);
      ahead = fm::asFloat(delay);
      break;
    }
    case When::Kind::At: {
      const FM_DateTime* timestamp = fm::asTimestamp(fm::at(parameters, when.parameter));
      scheduler->scheduleAt(script, timestamp);
      ahead = brevo::ScriptScheduler::secondsOf(timestamp) - brevo::ScriptScheduler::now();
      break;
    }
  }
  // More than a day ahead is allowed, and said: the script is queued all the same.
  const int16_t answer = ahead > kOneDay ? kScheduledTooFarAhead : kNoError;
  setNumberResult(result, answer);
  return answer;
}

}  // namespace

int16_t Quibo_DoFileMakerScript(int16_t, const FM_ExprEnv* environment,
                                const FM_DataVect* parameters, FM_Data* result) {
  return runInFrame(HostCode::Recorded, result,
                    [&] { return doFileMakerScript(environment, parameters, result); });
}

}  // namespace qbx
