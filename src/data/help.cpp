#include "data/help.h"

namespace {

// Slot 0 as it is, then every later non-empty slot after a line break.
std::string join(std::string_view first, std::string_view second = {}) {
  std::string out(first);
  if (!second.empty()) {
    out += "\r\n";
    out += second;
  }
  return out;
}

std::string byParam(std::string_view param, std::string_view when1, std::string_view otherwise) {
  return std::string(param == "1" ? when1 : otherwise);
}

}  // namespace

std::string GetCellHelp(std::string_view name, std::string_view param) {
  if (name == "なし") return "";
  if (name == "開始位置") return "開始位置です";
  if (name == "別れ穴") {
    std::string_view second;
    if (param == "1") second = "左・右への振り分けは2分の１です";
    if (param == "2") second = "70%の確率で左側に落ちます";
    if (param == "3") second = "70%の確率で右側に落ちます";
    return join("必ず落ちてしまいます。", second);
  }
  if (name == "ひび") {
    std::string_view first;
    if (param == "1") first = "比較的小さいひび割れです";
    if (param == "2") first = "普通のひび割れです";
    if (param == "3") first = "かなり大きいひび割れです";
    return join(first, "下のフロアーに落ちる時があります｡");
  }
  if (name == "集合") return "プレイヤー全員を引き寄せます";
  if (name == "色々") return "休憩・薬草の購入・訓練ができます。";
  if (name == "道場") return "ＧＰを使って、「体力」「力」や「運」を上昇させます。";
  if (name == "薬屋") return "薬草を購入する場所です。勝負に勝つといいことがあります。";
  if (name == "宿屋") return "休む以外に、賭博場や、射的場にも行けます。 ";
  if (name == "闇の道場") return "ＧＰを使って、「体力」「力」や「運」を上昇させます。";
  if (name == "ゲームセンター") return "賭博場・射的場・ﾀｲﾑｱﾀｯｸができます";
  if (name == "リセット") return "モンスターの強さを元に戻します";
  if (name == "敵の味方") return "モンスターがレベルアップしてしまいます";
  if (name == "止まれ") return "ここは、必ず止まります";
  if (name == "池")
    return join(" 落ちると軽いダメージを受けます", " 薬草を5個以上所持していると､落としてしまう事があります｡");
  if (name == "罠") return join(" 落ちると体力が1になります", " 薬草を3以上所持していると､落としてしまう事があります｡");
  if (name == "温泉") return join(" 落ちると全回復します", "良いことがおきるかもしれません");
  if (name == "草") return byParam(param, "弱いモンスターが時々出現します", "弱いモンスターが高確率で出現します");
  if (name == "木") return byParam(param, "中堅のモンスターが時々出現します", "中堅のモンスターが高確率で出現します");
  if (name == "柱") return byParam(param, "強いモンスターが時々出現します", "強いモンスターが高確率で出現します");
  if (name == "噴水") return "停止すると、ストップポイントとなります。まれに、色々良いことがおこります";
  if (name == "ヴォラク") return "ボスキャラです｡";
  if (name == "看板") {
    if (param == "右") return "右の方向へサイコロを振った分、戻されます。";
    if (param == "左") return "左の方向へサイコロを振った分、戻されます。";
    if (param == "上") return "上の階へ進みます";
    return "";
  }
  if (name == "ハシゴ") return "のぼり専用のはしごです。";
  if (name == "壁") return "壁です";
  if (name == "宝箱") return "お金や薬などが入っている事があります・・・";
  if (name == "神様") return "運試しが出来ます。攻撃したりすると、強い敵がでます";
  if (name == "天秤") return "強いプレイヤーにあわせて、弱いプレイヤーのレベルが全員上昇します";
  if (name == "小僧") return "すべてのモンスターの中から抽選で、現れます";
  return "";
}
