// Assertions for page tests run by docket-host.exe; load this file before the test file:
//     docket-host.exe lib/assert.js my_test.js
// Every assertion records exactly one check through Host.Check, so Host.Checks counts the
// assertions that really ran (see ExpectChecks).

// Value and type as a failure message shows them: <text> (typeof).
function DescribeValue(value) {
    var text;
    if (value === undefined) text = "undefined";
    else if (value === null) text = "null";
    else {
        // Safe arrays and some automation values refuse to become text.
        try { text = "<" + String(value) + ">"; } catch (e) { text = "<value without text>"; }
    }
    return text + " (" + typeof value + ")";
}

// Automation dates arrive with typeof "date" and compare as numbers of milliseconds.
function ValuesEqual(actual, expected) {
    if (typeof actual !== typeof expected) return false;
    if (typeof actual === "date") return new Date(actual).getTime() === new Date(expected).getTime();
    if (typeof actual === "unknown") return false;
    return actual === expected;
}

function AssertEqual(actual, expected, caseName) {
    if (ValuesEqual(actual, expected)) Host.Check(true, caseName);
    else Host.Check(false, caseName, "expected " + DescribeValue(expected) + ", actual " + DescribeValue(actual));
}

// Passes only for the boolean true: a truthy number or string is a mistake in the test or the product.
function AssertTrue(condition, caseName) {
    if (condition === true) Host.Check(true, caseName);
    else Host.Check(false, caseName, "condition was " + DescribeValue(condition));
}

// Error numbers are signed 32-bit values in JScript (0x800A01B6 is -2146827850); both sides are
// brought to that form, so either spelling of the expected number works.
function ErrorText(number, description) {
    return (number | 0) + " (0x" + ("0000000" + ((number | 0) >>> 0).toString(16).toUpperCase()).slice(-8) +
        ") \"" + description + "\"";
}

// Calls fn and checks that it throws the expected error number and, unless expectedDescription is
// undefined, the expected description.
function AssertThrows(fn, expectedNumber, expectedDescription, caseName) {
    var thrown = null;
    try {
        fn();
    } catch (e) {
        thrown = e;
    }
    if (thrown === null) {
        Host.Check(false, caseName, "nothing was thrown; expected " + ErrorText(expectedNumber, expectedDescription));
        return;
    }
    var number = (typeof thrown === "object" && thrown !== null) ? thrown.number | 0 : 0;
    var description = (typeof thrown === "object" && thrown !== null) ? thrown.description : String(thrown);
    var passed = number === (expectedNumber | 0) &&
        (expectedDescription === undefined || description === expectedDescription);
    if (passed) Host.Check(true, caseName);
    else Host.Check(false, caseName, "expected error " + ErrorText(expectedNumber, expectedDescription) +
        ", got " + ErrorText(number, description));
}

// Call at the end of a test with the number of checks made before it, so that an assertion that
// never ran (an early return, a swallowed exception) does not pass unnoticed.
function ExpectChecks(expectedCount) {
    var ran = Host.Checks;
    if (ran === expectedCount) Host.Check(true, "ExpectChecks(" + expectedCount + ")");
    else Host.Check(false, "ExpectChecks(" + expectedCount + ")", ran + " checks ran before it");
}
