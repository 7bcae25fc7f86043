#include "editor/menus.h"

namespace fcw {

namespace {

using K = MenuItem::Kind;

MenuItem cmd(int id) {
    return {K::Command, id, {}, {}};
}
MenuItem sep() {
    return {K::Separator, 0, {}, {}};
}
MenuItem sub(std::string_view text, std::vector<MenuItem> items) {
    return {K::Submenu, 0, text, std::move(items)};
}
std::vector<MenuItem> cmds(std::initializer_list<int> ids) {
    std::vector<MenuItem> out;
    for (int id : ids) {
        out.push_back(cmd(id));
    }
    return out;
}

// The vertex-move sub-menus, with the main menu's or the popup's ids.
MenuItem vertexMoves(std::initializer_list<int> relative, std::initializer_list<int> position,
                     std::initializer_list<int> ends, std::initializer_list<int> mean,
                     std::initializer_list<int> distance) {
    return sub("頂点の移動", {sub("縦，横，奥行き，指定量移動", cmds(relative)),
                             sub("縦，横，奥行きの位置合わせ", cmds(position)),
                             sub("端の点を基準に移動", cmds(ends)),
                             sub("重心の位置合わせ", cmds(mean)),
                             sub("軸からの距離を合わせ", cmds(distance))});
}

std::vector<MenuItem> buildMain() {
    return {
        sub("ﾌｧｲﾙ(&F)", {cmd(57600), cmd(57601), cmd(57603), cmd(57604), cmd(32841),
                         cmd(32892), sep(), {K::RecentFiles, 57616, {}, {}}, sep(),
                         cmd(57665)}),
        sub("編集(&E)", {cmd(32799), sep(), cmd(32845), cmd(32846), cmd(32847), cmd(32848),
                         sep(), cmd(32930), sep(), sep(), cmd(32868), cmd(32881), sep(),
                         cmd(32893)}),
        sub("設定", {sub("サーチ", {sub("第一点", cmds({32786, 32789})),
                                   sub("第二点", cmds({32784, 32790})),
                                   sub("第三点", cmds({32785, 32792})),
                                   sub("全頂点", cmds({32788, 32791}))}),
                    sub("グリッド", cmds({32777, 32778, 32779, 32782})),
                    sub("矢印キーの設定", cmds({32794, 32795})), cmd(32798)}),
        sub("表示(&V)", {cmd(59392), cmd(32895),
                         sub("拡大縮小表示",
                             cmds({32834, 32833, 32832, 32828, 32829, 32830, 32831})),
                         cmd(32835)}),
        sub("加工",
            {sub("頂点の 集合と四捨五入", cmds({32859, 32860})),
             vertexMoves({32921, 32922, 32923}, {32924, 32925, 32926},
                         {32944, 32945, 32946, 32947, 32953, 32954}, {32948, 32949, 32950},
                         {32927, 32928, 32929}),
             sub("三角形の分割", {cmd(32863), cmd(32865), cmd(32900), sep(), cmd(32901)}),
             sub("対称図形に変換", cmds({32874, 32875, 32876})),
             sub("回転", cmds({32886, 32887, 32888, 32889})),
             sub("伸縮（拡大縮小）", cmds({32891, 32897}))}),
        sub("ﾍﾙﾌﾟ(&H)", cmds({32894, 57664})),
    };
}

MenuItem buildTrianglePopup() {
    return sub("", {cmd(32836), cmd(32837), cmd(32838), cmd(32839), cmd(32869), cmd(32840),
                    sep(), sub("三角形の分割", cmds({32872, 32873}))});
}

MenuItem buildSelectionPopup() {
    return sub("", {cmd(32854), cmd(32855), cmd(32856), cmd(32857), sep(), cmd(32867),
                    cmd(32880), sep(), sep(), sub("頂点の 集合と四捨五入", cmds({32858, 32861})),
                    vertexMoves({32918, 32919, 32920}, {32902, 32903, 32904},
                                {32937, 32938, 32939, 32940, 32951, 32952},
                                {32941, 32933, 32942}, {32905, 32906, 32907}),
                    sep(), sub("対称図形に変換", cmds({32877, 32878, 32879})),
                    sub("回転", cmds({32882, 32884, 32883, 32885})),
                    sub("伸縮（拡大縮小）", cmds({32890, 32896})),
                    sub("三角形の分割", {cmd(32864), cmd(32866), cmd(32898), sep(), cmd(32899)})});
}

} // namespace

const std::vector<MenuItem>& mainMenu() {
    static const std::vector<MenuItem> menu = buildMain(); // immutable after first use
    return menu;
}

const MenuItem& trianglePopup() {
    static const MenuItem menu = buildTrianglePopup();
    return menu;
}

const MenuItem& selectionPopup() {
    static const MenuItem menu = buildSelectionPopup();
    return menu;
}

const std::vector<int>& toolbarButtons() {
    static const std::vector<int> buttons = {
        57600, 57601, 0,     57603, 0,     57664, 0,     32803, 32804, 32802, 32801, 32807, 32824,
        32825, 32797, 0,     32808, 32809, 32826, 32820, 0,     32810, 32796, 0,     32819, 0,
        32811, 32812, 32813, 32814, 0,     32818, 32817, 0,     32815, 32816, 0,     32822, 32823,
    };
    return buttons;
}

} // namespace fcw
