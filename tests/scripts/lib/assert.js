// Assertions for page tests, loaded by docket-host.exe before the test file. Each records one check
// through Host.Check, so that ExpectChecks notices an assertion that never ran.

// <text> (typeof); safe arrays and some automation values refuse to become text.
function DescribeValue(v) {
    var text = String(v);  // undefined or null
    if (v != null) try { text = "<" + String(v) + ">"; } catch (e) { text = "<value without text>"; }
    return text + " (" + typeof v + ")";
}

// Automation dates arrive with typeof "date" and compare by their milliseconds.
function AssertEqual(actual, expected, caseName) {
    var equal = typeof actual === typeof expected && typeof actual !== "unknown" &&
        (typeof actual === "date" ? new Date(actual).getTime() === new Date(expected).getTime()
                                  : actual === expected);
    Host.Check(equal, caseName, "expected " + DescribeValue(expected) + ", actual " + DescribeValue(actual));
}

// Error numbers are signed 32-bit in JScript; either spelling of the expected number works.
function ErrorText(number, description) {
    return "0x" + ((number | 0) >>> 0).toString(16).toUpperCase() + " \"" + description + "\"";
}

// fn must throw expectedNumber and, unless it is undefined, expectedDescription.
function AssertThrows(fn, expectedNumber, expectedDescription, caseName) {
    var got = "nothing";
    try {
        fn();
    } catch (e) {
        if ((e.number | 0) === (expectedNumber | 0) &&
            (expectedDescription === undefined || e.description === expectedDescription)) {
            return Host.Check(true, caseName);
        }
        got = ErrorText(e.number, e.description);
    }
    Host.Check(false, caseName, "expected error " + ErrorText(expectedNumber, expectedDescription) + ", got " + got);
}

function ExpectChecks(expectedCount) {
    Host.Check(Host.Checks === expectedCount, "ExpectChecks(" + expectedCount + ")", Host.Checks + " checks ran before it");
}
