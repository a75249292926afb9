// The simulated service page. It answers every call of the terminal the way the real
// services would, through the "WebToQt" bridge: login(json) for logins and
// noticeMessage(json) with the callback tag in "qtcode" for the rest. The cloud
// watchlist lives in the page's local storage; the news feed grows every few seconds.
var bridge = null;
var codes = ["SH600000", "SH600036", "SZ000001", "SZ000002", "SH601318"];
var news = [];
var newsSeq = 0;
var headlines = ["央行开展逆回购操作", "沪指午后震荡走高", "北向资金净流入", "两市成交额突破万亿",
                 "新能源板块集体走强", "券商板块异动拉升", "人民币汇率小幅波动", "多家公司发布业绩预告"];
var demoAccount = {phone: "13800000000", password: "demo123"};
// The cloud watchlist belongs to a registered account: it needs a login.
var signedIn = false;

function notice(obj) { bridge.noticeMessage(JSON.stringify(obj)); }
function pad(n) { return (n < 10 ? "0" : "") + n; }
function stamp(d) {
    return d.getFullYear() + "-" + pad(d.getMonth() + 1) + "-" + pad(d.getDate()) + " " +
        pad(d.getHours()) + ":" + pad(d.getMinutes()) + ":" + pad(d.getSeconds());
}
function parse(text) { try { return JSON.parse(text); } catch (e) { return null; } }

function registered() {
    return {userId: 10086, roleId: 7, username: demoAccount.phone, nickname: "演示用户", roleName: "高级会员",
            roleEndDate: "2027-12-31", sessionToken: "demo-token", userObjectId: "u-10086",
            headPortrait: "qrc:/images/Login/head.png", jurisdiction: {zjsz1: true, zjsz2: true}};
}

// Account.
function sendLogin(user, password) {
    signedIn = user === demoAccount.phone && password === demoAccount.password;
    if (signedIn)
        bridge.login(JSON.stringify({status: true, data: registered()}));
    else
        bridge.login(JSON.stringify({status: false, code: 1002, msg: "用户名或密码错误"}));
}
function sendTouristLogin(mac) {
    signedIn = false;
    bridge.login(JSON.stringify({status: true, data: {YKName: "游客" + (mac || "").replace(/:/g, "").slice(-4)}}));
}
function sendLoginSmsCode(phone) { notice({qtcode: "loginSmsCode", status: /^1\d{10}$/.test(phone), code: "6666"}); }
function sendLoginSms(json) {
    var d = parse(json) || {};
    signedIn = d.code === "6666";
    if (signedIn)
        bridge.login(JSON.stringify({status: true, data: registered()}));
    else
        bridge.login(JSON.stringify({status: false, code: 1003, msg: "验证码错误"}));
}
function sendVerifyLogin(name, tag) { notice({qtcode: tag, status: true}); }
function sendVerifyHomeAd(x, tag) { notice({qtcode: tag, status: false}); }
function sendLogOut(minutes, tag) { signedIn = false; notice({qtcode: tag, status: true, minutes: minutes}); }
function sendRegisterCode(phone, kind) { notice({qtcode: "registerCode", status: true, code: "6666"}); }
function sendRegister(json, x) {
    var d = parse(json) || {};
    var ok = d.code === "6666" && (d.password || "").length >= 6;
    notice({qtcode: "register", status: ok, msg: ok ? "注册成功" : "验证码或密码不符合要求"});
}
function sendFindPasswordCode(phone, kind) { notice({qtcode: "findPasswordCode", status: true, code: "6666"}); }
function sendFindPassword(json, x) {
    var d = parse(json) || {};
    var ok = d.code === "6666";
    if (ok && d.phone === demoAccount.phone)
        demoAccount.password = d.password;
    notice({qtcode: "findPassword", status: ok, msg: ok ? "密码已重置" : "验证码错误"});
}
function sendNickName(name, x) { notice({qtcode: "nickName", status: true, nickname: name}); }

// Cloud watchlist.
function sendSaveStock(json, tag) {
    if (!signedIn) { notice({qtcode: tag, status: false, msg: "未登录"}); return; }
    var groups = parse(json);
    if (!groups) { notice({qtcode: tag, status: false, msg: "数据格式错误"}); return; }
    localStorage.setItem("cloudZxg", JSON.stringify(groups));
    notice({qtcode: tag, status: true});
}
function sendStockList(tag) {
    if (!signedIn) { notice({qtcode: tag, status: false}); return; }
    notice({qtcode: tag, status: true, data: parse(localStorage.getItem("cloudZxg")) || []});
}

// News feed, newest first.
function addNews() {
    var now = stamp(new Date());
    news.unshift({objectId: "news" + (++newsSeq), updatedAt: now.replace(" ", "T"), time: now,
                  title: headlines[Math.floor(Math.random() * headlines.length)]});
    news = news.slice(0, 50);
    var box = document.getElementById("news");
    box.innerHTML = "";
    news.slice(0, 12).forEach(function (n) {
        var div = document.createElement("div");
        var t = document.createElement("span");
        t.textContent = n.time.slice(11);
        div.appendChild(t);
        div.appendChild(document.createTextNode(n.title));
        box.appendChild(div);
    });
}
function sendInformation7x24(json, tag) {
    var q = parse(json) || {page: 1, pagesize: 10};
    var from = (q.page - 1) * q.pagesize;
    notice({qtcode: tag, status: true, data: news.slice(from, from + q.pagesize)});
}

function sendTheme(theme, tag) { document.body.dataset.theme = theme; notice({qtcode: tag, status: true, theme: theme}); }
function sendIOtrack(json) {}
function getzxlist(json) {}
function backzx(code) {}
function qtTowebHome(state) {}
window.exitScreen = function () {};

// Quotes through the bridge.
function showQuotes() {
    bridge.getQuotation(codes.join(","), function (answer) {
        var rows = parse(answer) || [];
        var body = document.querySelector("#quotes tbody");
        body.innerHTML = "";
        rows.forEach(function (q, i) {
            var tr = document.createElement("tr");
            var cls = q.ZhangDie > 0 ? "up" : (q.ZhangDie < 0 ? "down" : "");
            [codes[i], q.ZhongWenJianCheng, q.ZuiXinJia.toFixed(2), q.ZhangDie.toFixed(2),
             Math.round(q.ChengJiaoLiang)].forEach(function (v, k) {
                var td = document.createElement("td");
                td.textContent = v;
                if (k >= 2 && k <= 3) td.className = cls;
                tr.appendChild(td);
            });
            var td = document.createElement("td");
            var add = document.createElement("button");
            add.textContent = "加自选";
            add.onclick = function () { bridge.getAddStock(codes[i]); };
            td.appendChild(add);
            tr.appendChild(td);
            body.appendChild(tr);
        });
    });
}

new QWebChannel(qt.webChannelTransport, function (channel) {
    bridge = channel.objects.WebToQt;
    for (var i = 0; i < 5; ++i) addNews();
    showQuotes();
    setInterval(showQuotes, 2000);
    setInterval(addNews, 5000);
    notice({qtcode: "serviceReady"});
});
