// node validate_gltf.js FILE...: runs the Khronos glTF validator on each file and prints its
// counts and messages. Exits 1 when any file has an error or a warning, 77 when the validator
// (npm package gltf-validator, found through NODE_PATH) is not installed.
const fs = require('fs');
let validator;
try {
    validator = require('gltf-validator');
} catch (e) {
    console.log('gltf-validator is not installed');
    process.exit(77);
}
(async () => {
    let bad = 0;
    for (const file of process.argv.slice(2)) {
        const bytes = new Uint8Array(fs.readFileSync(file));
        const report = await validator.validateBytes(bytes, {uri: file});
        const issues = report.issues;
        console.log(file, 'errors', issues.numErrors, 'warnings', issues.numWarnings, 'infos',
                    issues.numInfos, 'hints', issues.numHints);
        for (const m of issues.messages) {
            console.log('  ', m.severity, m.code, m.message, m.pointer || '');
        }
        if (issues.numErrors > 0 || issues.numWarnings > 0) {
            bad = 1;
        }
    }
    process.exit(bad);
})();
