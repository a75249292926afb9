#pragma once

// Field keys of rows (DQDReader::getValue). Grouped by the kind of row that carries them.
namespace ZtField {

// Security identity, present in every security row.
constexpr unsigned Market = 10010;        // "SH", "SZ", "BK"
constexpr unsigned Code = 10020;          // "600000"
constexpr unsigned Name = 10030;
constexpr unsigned Pinyin = 10040;        // pinyin initials of the name, upper case
constexpr unsigned UniqueCode = 10050;    // market + code, "SH600000"
constexpr unsigned Type = 10070;          // ZtE_ZQLX
constexpr unsigned Decimals = 10080;      // 2, or 3 for prices quoted to the tenth of a cent

// Sector-list rows (the sectors of a stock) also name the sector here.
constexpr unsigned SectorName = 2060;
constexpr unsigned SectorCode = 2110;     // combined code, "BK0001"

// Quote.
constexpr unsigned QuoteTime = 11060;     // packed yyyyMMddHHmmssfff of the quote
constexpr unsigned AddTime = 11070;       // watchlist add time (set by the watchlist)
constexpr unsigned PrevClose = 12010;
constexpr unsigned Open = 12030;
constexpr unsigned LimitUp = 12040;
constexpr unsigned LimitDown = 12050;
constexpr unsigned High = 17010;
constexpr unsigned Low = 17020;
constexpr unsigned Last = 17030;
constexpr unsigned Volume = 17040;        // shares
constexpr unsigned Turnover = 17050;      // yuan
constexpr unsigned Trades = 17060;
constexpr unsigned Average = 17070;
constexpr unsigned Change = 22020;
constexpr unsigned ChangeRatio = 22030;   // percent
constexpr unsigned Amplitude = 22040;     // percent
constexpr unsigned VolumeRatio = 22050;
constexpr unsigned PE = 22060;
constexpr unsigned TurnoverRate = 22070;  // percent
constexpr unsigned BidAskRatio = 22110;   // percent
constexpr unsigned Change5Min = 22250;    // percent
constexpr unsigned MarketValue = 22300;   // yuan
constexpr unsigned BuyPrice1 = 20010;     // 20010..20050 buy prices, 20110..20150 buy volumes
constexpr unsigned BuyVolume1 = 20110;
constexpr unsigned SellPrice1 = 21010;    // 21010..21050 sell prices, 21110..21150 sell volumes
constexpr unsigned SellVolume1 = 21110;
constexpr unsigned InfoMineCount = 37010; // information-mine items of the day
constexpr unsigned RiseCount = 23010;     // sectors and indices: members up
constexpr unsigned FallCount = 23020;     // members down
constexpr unsigned LeaderCode = 23030;    // sectors: leading member

// Series rows (minute lines, details, K-lines).
constexpr unsigned Time = 30010;          // packed yyyyMMddHHmmssfff
constexpr unsigned Price = 30020;         // minute-line price
constexpr unsigned AvgPrice = 33060;      // minute-line average price
constexpr unsigned DetailPrice = 32010;   // tick price, or the price level of a volume-by-price row
constexpr unsigned BuyVolume = 32060;     // part of the volume traded at the ask
constexpr unsigned SellVolume = 32070;    // part traded at the bid
constexpr unsigned SeriesVolume = 32080;  // whole volume of the bar, tick or price level
constexpr unsigned Direction = 32020;     // 1 up-tick (buy), -1 down-tick (sell), 0 neutral
constexpr unsigned SeriesTurnover = 32090;
constexpr unsigned KOpen = 31010;
constexpr unsigned KHigh = 31020;
constexpr unsigned KLow = 31030;
constexpr unsigned KClose = 31040;
constexpr unsigned KVolume = 31050;
constexpr unsigned KTurnover = 31060;
constexpr unsigned KPrevClose = 31070;

// Information items (mines, news, announcements, reports).
constexpr unsigned ItemId = 37020;
constexpr unsigned ItemType = 37030;
constexpr unsigned ItemTitle = 37040;
constexpr unsigned ItemTime = 37050;      // packed date-time
constexpr unsigned ItemDate = 37060;      // packed date-time of the announcement day
constexpr unsigned ItemSource = 37070;
constexpr unsigned ItemMarked = 37080;    // 1 when the item is a marked one

// Ex-rights events.
constexpr unsigned QxDate = 38010;
constexpr unsigned QxText = 38020;
constexpr unsigned QxBonus = 38030;

// Movement messages.
constexpr unsigned MsgTime = 70010;
constexpr unsigned MsgCode = 70020;
constexpr unsigned MsgText1 = 70030;
constexpr unsigned MsgText2 = 70040;
constexpr unsigned MsgType = 70050;       // ZtE_DXJL
constexpr unsigned MsgDirection = 70060;  // 1 up, 0 down

// Keys whose values are prices: they show the decimals of their security (Decimals).
constexpr bool isPriceKey(unsigned key)
{
    return key == PrevClose || key == Open || key == LimitUp || key == LimitDown || key == High || key == Low
           || key == Last || key == Average || key == Change || (key >= BuyPrice1 && key < BuyPrice1 + 5)
           || (key >= SellPrice1 && key < SellPrice1 + 5) || key == Price || key == AvgPrice
           || key == DetailPrice || (key >= KOpen && key <= KClose) || key == KPrevClose;
}

}
