#include "ui/ReviewItemData.h"

#include "ui/ReviewText.h"

namespace {

// More than an entry of the largest height can show at any width it gets,
// and more than its one-line boxes can show of a nickname or date.
constexpr std::size_t kLongestShownContent = 4000;
constexpr std::size_t kLongestShownLine = 200;

}  // namespace

TItemData::TItemData(int commentId, std::wstring nickname, std::wstring content, int score, std::wstring date)
    : CommentId(commentId),
      Nickname(std::move(nickname)),
      Content(std::move(content)),
      Score(score),
      Date(std::move(date)),
      ShownNickname(PlainLine(Nickname, kLongestShownLine)),
      ShownDate(PlainLine(Date, kLongestShownLine)),
      ShownContent(PlainParagraphs(Content, kLongestShownContent)) {}
