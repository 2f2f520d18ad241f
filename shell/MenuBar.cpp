#include "shell/MenuBar.h"

#include <iterator>
#include <span>

#include "app/Document.h"

namespace {

// An item (command and text), a separator (neither) or a submenu (items).
struct MenuEntry {
    int command;
    const char* text;
    std::span<const MenuEntry> items = {};
};

constexpr MenuEntry kSeparator{0, nullptr};

constexpr MenuEntry kFile[] = {{cmd::Open, "開く（&O）"},
                               {cmd::SaveAs, "保存（&A）"},
                               {cmd::Save, "上書き保存（&S）"},
                               kSeparator,
                               {cmd::Exit, "終了（&X）"}};
constexpr MenuEntry kEdit[] = {{cmd::Undo, "元に戻す(&U)"},
                               {cmd::CopyBitmap, "ビットマップをコピー(&C)"},
                               {cmd::PasteBitmap, "ビットマップを貼り付け(&P)"},
                               {cmd::Trimming, "トリミング(&T)"}};
constexpr MenuEntry kViewSize[] = {
    {cmd::ViewQuarter, "0.25倍(&0)"}, {cmd::ViewHalf, "0.5倍(&1)"},
    {cmd::ViewActual, "原寸大(&2)"},  {cmd::ViewDouble, "２倍(&3)"},
    {cmd::ViewTriple, "３倍(&4)"},    {cmd::ViewQuadruple, "４倍(&5)"}};
constexpr MenuEntry kQuality[] = {{cmd::Quality100, "100(&A)"}, {cmd::Quality90, "90(&9)"},
                                  {cmd::Quality80, "80(&8)"},   {cmd::Quality70, "70(&7)"},
                                  {cmd::Quality60, "60(&6)"},   {cmd::Quality50, "50(&5)"}};
constexpr MenuEntry kSettings[] = {{0, "表示サイズ（&V）", kViewSize},
                                   {0, "Jpeg保存品質（&Q）", kQuality}};
constexpr MenuEntry kInformation[] = {{cmd::ImageSize, "大きさ（&S）"},
                                      {cmd::ColourCount, "色数（&C）"}};
constexpr MenuEntry kAdjust[] = {{cmd::Resize, "リサイズ（&R）"},
                                 {cmd::ComponentAdjust, "成分調整（&C）"},
                                 {cmd::BrightnessContrast, "明度コントラスト調整（&Y）"},
                                 {cmd::Saturation, "彩度調整（&S）"},
                                 {cmd::Gamma, "ガンマ補正（&G）"},
                                 {cmd::MaximizeContrast, "コントラスト最大化（&M）"},
                                 {cmd::Posterize, "階調変更（&P）"},
                                 {cmd::ToneCut, "階調切捨て（&V）"}};
constexpr MenuEntry kScaling[] = {{cmd::Scale50, "50%"},
                                  {cmd::Scale150, "150%"},
                                  {cmd::Scale200, "200%"},
                                  {cmd::Scale300, "300%"}};
constexpr MenuEntry kConvert[] = {{cmd::Gray, "白黒化（&G）"},
                                  {cmd::Invert, "色反転（&X）"},
                                  {cmd::RgbConvert, "RGB変換（&B）"},
                                  {cmd::FlipTopBottom, "上下反転（&U）"},
                                  {cmd::FlipLeftRight, "左右反転（&M）"},
                                  {cmd::ExchangeXY, "XY交換（&E）"},
                                  {cmd::PixelExchange, "ピクセル交換（&P）"},
                                  {cmd::ReplaceColour, "単色置換（&R）"},
                                  {cmd::Reduce216, "216色化（&T）"},
                                  {0, "拡大縮小（&S）", kScaling}};
constexpr MenuEntry kFilter[] = {{cmd::Emboss, "エンボス（&E）"},
                                 {cmd::CustomFilter, "カスタムフィルタ（&C）"},
                                 {cmd::UnsharpMask, "アンシャープマスク（&U）"},
                                 {cmd::Blur, "ぼかし（&F）"},
                                 {cmd::Median, "メディアンフィルタ（&M）"},
                                 {cmd::Outline, "輪郭線追加（&O）"},
                                 {cmd::Antialias, "アンチエイリアシング（&A）"},
                                 {cmd::ColourDifference, "色成分差拡大（&A）"},
                                 {cmd::Pinhole, "ピンホールカメラ風（&P）"}};
constexpr MenuEntry kHelp[] = {{cmd::About, "バージョン情報（&A）"},
                               {cmd::AuthorSite, "作者サイト「Kobairo」へ（&G）"}};
constexpr MenuEntry kBar[] = {{0, "ファイル（&F）", kFile},   {0, "編集（&E）", kEdit},
                              {0, "設定（&D）", kSettings},   {0, "画像情報（&I）", kInformation},
                              {0, "調整（&C）", kAdjust},     {0, "変換（&T）", kConvert},
                              {0, "フィルタ（&L）", kFilter}, {0, "ヘルプ（&H）", kHelp}};

void Fill(HMENU menu, std::span<const MenuEntry> entries, MenuBar& handles) {
    for (const MenuEntry& e : entries) {
        if (!e.text) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (e.items.empty()) {
            AppendMenuA(menu, MF_STRING, UINT_PTR(e.command), e.text);
        } else {
            HMENU popup = CreatePopupMenu();
            Fill(popup, e.items, handles);
            if (e.items.data() == kViewSize) handles.viewSize = popup;
            if (e.items.data() == kQuality) handles.jpegQuality = popup;
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), e.text);
        }
    }
}

} // namespace

HACCEL CreateAccelerators() {
    // TranslateAcceleratorA sends the item's popup WM_INITMENUPOPUP first and
    // drops the key when the item is greyed: the keys obey the menu's rules.
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'O', cmd::Open},
                    {FCONTROL | FVIRTKEY, 'S', cmd::Save},
                    {FCONTROL | FVIRTKEY, 'Z', cmd::Undo},
                    {FCONTROL | FVIRTKEY, 'C', cmd::CopyBitmap},
                    {FCONTROL | FVIRTKEY, 'V', cmd::PasteBitmap}};
    return CreateAcceleratorTableA(keys, int(std::size(keys)));
}

MenuBar BuildMenuBar() {
    MenuBar handles;
    handles.bar = CreateMenu();
    Fill(handles.bar, kBar, handles);
    return handles;
}
