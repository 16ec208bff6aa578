#include "menu_pictures.h"

#include "canvas.h"

namespace artwork {

QImage MenuSetPicture() {
  return ArtPicture(NewCanvas(14, 14, kMenuPictureBackground),
                    {
                        "......##......",
                        ".....#yy#.....",
                        ".....#YY#.....",
                        "....#YYYY#....",
                        "....#Y##Y#....",
                        "...#YY##YY#...",
                        "...#YY##YY#...",
                        "..#YYY##YYY#..",
                        "..#YYYYYYYYo#.",
                        ".#YYYY##YYYo#.",
                        ".#YYYY##YYYoo#",
                        "#YYYYYYYYYooo#",
                        "##############",
                        "..............",
                    },
                    {{'#', 0xFF3A2C00}, {'Y', 0xFFFFD21E}, {'y', 0xFFFFE98A}, {'o', 0xFFE0A400}});
}

QImage MenuNotasPicture() {
  return ArtPicture(NewCanvas(14, 14, kMenuPictureBackground),
                    {
                        "..............",
                        ".....#......b.",
                        "....##...b...b",
                        "...#L#....b..b",
                        "####L#.b..b..b",
                        "#LLLL#..b..b.b",
                        "#LGGG#..b..b.b",
                        "#LGGG#..b..b.b",
                        "#GGGG#..b..b.b",
                        "####G#.b..b..b",
                        "...#G#....b..b",
                        "....##...b...b",
                        ".....#......b.",
                        "..............",
                    },
                    {{'#', 0xFF1E2A36}, {'L', 0xFFB8C8D6}, {'G', 0xFF6E8294}, {'b', 0xFF2F7FD8}});
}

QImage MenuAboutPicture() {
  return ArtPicture(NewCanvas(14, 14, kMenuPictureBackground),
                    {
                        "..##########..",
                        ".#llllllllll#.",
                        "#llllWWllllBB#",
                        "#lllBWWBBBBBB#",
                        "#lBBBBBBBBBBB#",
                        "#BBBWWWBBBBBB#",
                        "#BBBBWWBBBBBB#",
                        "#BBBBWWBBBBBB#",
                        "#BBBBWWBBBBBB#",
                        "#BBBWWWWBBBBB#",
                        ".#BBBBBBBBBB#.",
                        "..##BB######..",
                        "...#B#........",
                        "...##.........",
                    },
                    {{'#', 0xFF0E3A78}, {'B', 0xFF2A6FD6}, {'l', 0xFF5A97EC}, {'W', 0xFFFFFFFF}});
}

}  // namespace artwork
