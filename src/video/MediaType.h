#pragma once
// What a decoder offers the renderer for a connection.
enum class MajorType { Video, Audio };
enum class MediaSubtype { Rgb24, Rgb32, Other };
// VideoInfo carries a plain bitmap header; VideoInfo2 adds interlace and aspect data.
enum class FormatType { VideoInfo, VideoInfo2, None };

struct MediaType {
    MajorType major = MajorType::Video;
    MediaSubtype subtype = MediaSubtype::Rgb24;
    FormatType formatType = FormatType::VideoInfo;
    int width = 0;
    // Negative for rows stored top row first.
    int height = 0;
};
