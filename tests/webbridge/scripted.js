// A service page whose answers the test sets. Every function the terminal calls is
// reported back as {"qtcode":"called","fn":...,"args":[...]}, then answered with the
// bridge calls set for it by setAnswers(fn, json).
var bridge = null;
var answers = {};

function notice(obj) {
    bridge.noticeMessage(JSON.stringify(obj));
}

function setAnswers(fn, json) {
    answers[fn] = JSON.parse(json);
}

function called(fn, args) {
    if (!bridge)
        return;
    notice({qtcode: "called", fn: fn, args: args});
    (answers[fn] || []).forEach(function (a) {
        bridge[a.method].apply(bridge, a.args);
    });
}

["sendLogin", "sendLoginSmsCode", "sendLoginSms", "sendTouristLogin", "sendVerifyLogin",
 "sendVerifyHomeAd", "sendLogOut", "sendRegister", "sendRegisterCode", "sendFindPassword",
 "sendFindPasswordCode", "sendNickName", "sendStockList", "sendSaveStock",
 "sendInformation7x24", "getzxlist", "backzx", "sendIOtrack", "qtTowebHome"].forEach(function (n) {
    window[n] = function () { called(n, Array.prototype.slice.call(arguments)); };
});

window.exitScreen = function () { called("exitScreen", []); };

// The echo of the round trip: each value comes back as it arrived.
function sendTheme(value, tag) {
    notice({qtcode: tag, value: value});
}

// Calls a bridge method with the given arguments and reports what it answered.
function callBridge(tag, method, argsJson) {
    var args = JSON.parse(argsJson);
    args.push(function (result) { notice({qtcode: "result", tag: tag, result: result}); });
    bridge[method].apply(bridge, args);
}

new QWebChannel(qt.webChannelTransport, function (channel) {
    bridge = channel.objects.WebToQt;
    notice({qtcode: "ready"});
});
