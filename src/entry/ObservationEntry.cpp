#include "entry/ObservationEntry.h"

#include "entry/ConfirmedPrompt.h"
#include "entry/PackedAngle.h"
#include "entry/RunStopped.h"

namespace morvalen {
namespace {

const std::string confirmSuffix = "输入正确单击 Enter ; 错误输入零( 即为:0 )";
const std::string knownSideStart = "    以起始边 S(a-b)起算 ";
const std::string fromStartSide = "由起始边起算";
const std::string azimuthStart = " 由A点的外方位角定向";
const std::string bIsUnknown = "B点为待定点";

ConfirmedPrompt value(std::string entry, std::string confirmation, std::string reentry, EntryValue& target,
                      Control echo, Pattern pattern) {
    std::string reconfirmation = confirmation;
    return {std::move(entry), std::move(confirmation), std::move(reentry), std::move(reconfirmation),
            &target, echo, pattern};
}

ConfirmedPrompt name(std::string entry, std::string confirmation, std::string reentry, std::string& target,
                     Control echo) {
    std::string reconfirmation = confirmation;
    return {std::move(entry), std::move(confirmation), std::move(reentry), std::move(reconfirmation),
            &target, echo, Pattern::none};
}

void askStartDataOfAzimuthCase(SurveyState& state, OrientationCopies& copies, Prompt& asker, WindowFields& fields) {
    askConfirmed(value("输入起算边长度 :（以米为单位）", "确认起算边长度输入是否正确 ?  " + confirmSuffix,
                       "输入起算边长度 S 正确的观测值: ", state.startSideLength, {"Text19"}, Pattern::threeDecimals),
                 asker, fields);
    askConfirmedRepeat("输入起算边在示图上所示的编号 ：（1，2，3，4）",
                       "确认起算边的编号输入是否正确 ?  " + confirmSuffix, state.startSideNumber, asker);
    askConfirmed(value("输入起始点 A 的外方位角 Ta : ( 方向由 A 点向外 )",
                       "确认外方位角 Ta 输入是否正确 ?  " + confirmSuffix, "输入起始点 A 点的外方位角 Ta 正确的观测值: ",
                       copies.Ta, {"Text5"}, Pattern::fiveDecimals),
                 asker, fields);
    state.Ta = copies.Ta;
    ConfirmedPrompt orientation = value("输入起始点 A 点的定向角 Qa : ", "确认定向角 Qa 输入是否正确 ?  " + confirmSuffix,
                                        "输入定向角 Qa 正确的观测值 :", copies.Qa, {"Text6"}, Pattern::fiveDecimals);
    orientation.reconfirmationPrompt = "确认定向角 Qa 输入是否正确 ? " + confirmSuffix;
    askConfirmed(orientation, asker, fields);
    state.Qa = copies.Qa;
}

void askStationNames(SurveyState& state, Prompt& asker, WindowFields& fields) {
    askConfirmed(name("输入起始点 A 点的点名 :", "确认 A 点的点名输入是否正确 ?  " + confirmSuffix,
                      "输入起始点 A 的正确点名 :", state.pointNames[0], {"Text12", 0}),
                 asker, fields);
    for (int i = 1; i <= state.unknownPointCount; ++i) {
        const std::string entry = "按顺时针顺序输入第 " + std::to_string(i) + " 个待定点的点名 :";
        askConfirmed(name(entry, "确认第 " + std::to_string(i) + " 个待定点的点名输入是否正确 ?  " + confirmSuffix, entry,
                          state.pointNames[static_cast<std::size_t>(i)], {"Text12", i}),
                     asker, fields);
    }
    const int closing = state.unknownPointCount + 1;
    askConfirmed(name("输入闭合点 B 点的点名 :", "确认 B 点的点名输入是否正确 ?  " + confirmSuffix,
                      "输入闭合点 B 正确的点名 :", state.pointNames[static_cast<std::size_t>(closing)],
                      {"Text12", closing}),
                 asker, fields);
}

void askAngles(SurveyState& state, Prompt& asker, WindowFields& fields) {
    for (int i = 1; i <= 8; ++i) {
        const std::string n = std::to_string(i);
        auto& angle = state.adjustedAngles[static_cast<std::size_t>(i)];
        askConfirmed(value("请输入第 " + n + " 个观测角 B" + n + " 的数值 : ",
                           "确认 B(" + n + ") 输入是否正确?  " + confirmSuffix, "输入 B(" + n + ") 正确的观测值: ", angle,
                           {"Text7", i - 1}, Pattern::fiveDecimals),
                     asker, fields);
        state.observedAngles[static_cast<std::size_t>(i)] = angle;
        const auto degrees = toDegrees(angle);
        if (!degrees) {
            const char* cause = angle.reading() == Reading::outOfRange ? " 超出数值范围" : " 不是数值";
            throw RunStopped("观测角输入", "b(" + n + ") 的输入 " + quoted(angle.typedText()) + cause);
        }
        angle = EntryValue::number(*degrees);
    }
}

}  // namespace

void enterObservations(SurveyState& state, OrientationCopies& copies, Prompt& asker, WindowFields& fields) {
    const std::string confirmX = "确认纵座标输入是否正确 ?  " + confirmSuffix;
    const std::string confirmY = "确认横座标输入是否正确 ?  " + confirmSuffix;
    askConfirmed(value("输入起始点 A 的纵座标 : ", confirmX, "输入正确的纵座标 : ", state.xa, {"Text1"},
                       Pattern::threeDecimals),
                 asker, fields);
    askConfirmed(value("输入起始点 A 的横座标 : ", confirmY, "输入正确的横座标 : ", state.ya, {"Text2"},
                       Pattern::threeDecimals),
                 asker, fields);
    askConfirmed(value("输入起始点 B 的纵座标 : ", confirmX, "输入正确的纵座标 Xb: ", state.xb, {"Text3"},
                       Pattern::threeDecimals),
                 asker, fields);
    askConfirmed(value("输入起始点 B 的横座标 : ", confirmY, "输入正确的横纵座标 : ", state.yb, {"Text4"},
                       Pattern::threeDecimals),
                 asker, fields);

    const RunCase kind = runCase(state);
    if (kind == RunCase::knownSide) {
        fields.setText({"Text20"}, knownSideStart);
        fields.setText({"Text19"}, fromStartSide);
        fields.setText({"Text5"}, fromStartSide);
        fields.setText({"Text6"}, fromStartSide);
    } else if (kind == RunCase::azimuth) {
        fields.setText({"Text20"}, azimuthStart);
        fields.setText({"Text3"}, bIsUnknown);
        fields.setText({"Text4"}, bIsUnknown);
        askStartDataOfAzimuthCase(state, copies, asker, fields);
    }

    state.unknownPointCount = kind == RunCase::azimuth ? 3 : 2;
    state.pointNames.assign(static_cast<std::size_t>(state.unknownPointCount) + 2, std::string());
    askStationNames(state, asker, fields);
    askAngles(state, asker, fields);
}

}  // namespace morvalen
